// SPDX-License-Identifier: GPL-3.0-or-later
#include "launchers/SqliteLibrary.h"

#include "platform/SystemLibrary.h"

namespace movrand::platform {

namespace {

// The soname of the SQLite whose header the program was built with.
constexpr const char* kSoname = "libsqlite3.so.0";

struct Loaded {
    SystemLibrary Library{kSoname};
    SqliteLibrary Functions;
    bool Complete = true;

    Loaded() {
#define MOVRAND_SQLITE_FIND(name) Complete = Library.Find(#name, Functions.name) && Complete;
        MOVRAND_SQLITE_FUNCTIONS(MOVRAND_SQLITE_FIND)
#undef MOVRAND_SQLITE_FIND
    }
};

}  // namespace

const SqliteLibrary* LoadSqliteLibrary() {
    static Loaded loaded;  // once, by whichever thread asks first
    return loaded.Complete ? &loaded.Functions : nullptr;
}

}  // namespace movrand::platform
