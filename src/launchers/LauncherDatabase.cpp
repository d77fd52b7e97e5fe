// SPDX-License-Identifier: GPL-3.0-or-later
#include "launchers/LauncherDatabase.h"

#include <fcntl.h>

#include <memory>

#include "launchers/SqliteLibrary.h"
#include "platform/FileHandles.h"
#include "platform/RuntimeError.h"

namespace movrand::platform {

namespace {

// A library of thousands of games is a few megabytes.
constexpr off_t kLargestDatabase = 64 << 20;
// The virtual machine steps a query may take: far more than reading thousands of rows needs.
constexpr int kStepsPerCheck = 1000;
constexpr int kMostChecks = 100000;

struct CloseDatabase {
    const SqliteLibrary* sql;
    void operator()(sqlite3* db) const { sql->sqlite3_close_v2(db); }
};
struct FinishStatement {
    const SqliteLibrary* sql;
    void operator()(sqlite3_stmt* s) const { sql->sqlite3_finalize(s); }
};

int StopWhenTooLong(void* counter) {
    return ++*static_cast<int*>(counter) > kMostChecks ? 1 : 0;
}

std::string ColumnText(const SqliteLibrary& sql, sqlite3_stmt* row, int column) {
    const unsigned char* text = sql.sqlite3_column_text(row, column);
    return text ? std::string(reinterpret_cast<const char*>(text),
                              static_cast<std::size_t>(sql.sqlite3_column_bytes(row, column)))
                : std::string();
}

}  // namespace

std::vector<std::vector<std::string>> ReadLauncherDatabase(
    const std::filesystem::path& database, std::initializer_list<const char*> queries, int columns,
    std::size_t mostRows) {
    // Opened here, where a FIFO or a device is refused without blocking, and handed to SQLite as
    // this very file: what it reads is what was checked.
    Descriptor fd;
    try {
        struct stat info {};
        fd = OpenForReading(AT_FDCWD, database.c_str(), database.string(), info, true);
        if (info.st_size > kLargestDatabase) return {};
    } catch (const RuntimeError&) {
        return {};
    }
    // Without SQLite no launcher's database is read, as without a database.
    const SqliteLibrary* sql = LoadSqliteLibrary();
    if (!sql) return {};
    const std::string uri = "file:/proc/self/fd/" + std::to_string(fd.Get()) + "?immutable=1";
    sqlite3* opened = nullptr;
    const int status =
        sql->sqlite3_open_v2(uri.c_str(), &opened,
                             SQLITE_OPEN_READONLY | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX, nullptr);
    const std::unique_ptr<sqlite3, CloseDatabase> db(opened, CloseDatabase{sql});
    if (status != SQLITE_OK) return {};
    sql->sqlite3_busy_timeout(db.get(), 0);
    sql->sqlite3_limit(db.get(), SQLITE_LIMIT_LENGTH, 1 << 20);
    int checks = 0;
    sql->sqlite3_progress_handler(db.get(), kStepsPerCheck, StopWhenTooLong, &checks);

    std::vector<std::vector<std::string>> rows;
    for (const char* query : queries) {
        sqlite3_stmt* prepared = nullptr;
        if (sql->sqlite3_prepare_v2(db.get(), query, -1, &prepared, nullptr) != SQLITE_OK) continue;
        const std::unique_ptr<sqlite3_stmt, FinishStatement> statement(prepared,
                                                                       FinishStatement{sql});
        while (rows.size() < mostRows && sql->sqlite3_step(statement.get()) == SQLITE_ROW) {
            std::vector<std::string>& row = rows.emplace_back();
            for (int column = 0; column < columns; ++column)
                row.push_back(ColumnText(*sql, statement.get(), column));
        }
        break;
    }
    return rows;
}

}  // namespace movrand::platform
