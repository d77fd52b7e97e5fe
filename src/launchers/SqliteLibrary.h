// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <sqlite3.h>

namespace movrand::platform {

// The SQLite functions the launchers' database reader uses.
#define MOVRAND_SQLITE_FUNCTIONS(F) \
    F(sqlite3_open_v2)              \
    F(sqlite3_close_v2)             \
    F(sqlite3_busy_timeout)         \
    F(sqlite3_limit)                \
    F(sqlite3_progress_handler)     \
    F(sqlite3_prepare_v2)           \
    F(sqlite3_step)                 \
    F(sqlite3_column_text)          \
    F(sqlite3_column_bytes)         \
    F(sqlite3_finalize)

// SQLite, loaded the first time a launcher's database is read (a first start's search): other
// starts do not pay for loading it. Each member is the function of the same name.
struct SqliteLibrary {
#define MOVRAND_SQLITE_MEMBER(name) decltype(&::name) name = nullptr;
    MOVRAND_SQLITE_FUNCTIONS(MOVRAND_SQLITE_MEMBER)
#undef MOVRAND_SQLITE_MEMBER
};

// The loaded library's functions, or nullptr when SQLite cannot be loaded or lacks one of them.
const SqliteLibrary* LoadSqliteLibrary();

}  // namespace movrand::platform
