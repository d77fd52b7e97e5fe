// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/LauncherDatabase.h"

#include <fcntl.h>
#include <sqlite3.h>

#include <memory>

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
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
struct FinishStatement {
    void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};

int StopWhenTooLong(void* counter) {
    return ++*static_cast<int*>(counter) > kMostChecks ? 1 : 0;
}

std::string ColumnText(sqlite3_stmt* row, int column) {
    const unsigned char* text = sqlite3_column_text(row, column);
    return text ? std::string(reinterpret_cast<const char*>(text),
                              static_cast<std::size_t>(sqlite3_column_bytes(row, column)))
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
    const std::string uri = "file:/proc/self/fd/" + std::to_string(fd.Get()) + "?immutable=1";
    sqlite3* opened = nullptr;
    const int status =
        sqlite3_open_v2(uri.c_str(), &opened,
                        SQLITE_OPEN_READONLY | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX, nullptr);
    const std::unique_ptr<sqlite3, CloseDatabase> db(opened);
    if (status != SQLITE_OK) return {};
    sqlite3_busy_timeout(db.get(), 0);
    sqlite3_limit(db.get(), SQLITE_LIMIT_LENGTH, 1 << 20);
    int checks = 0;
    sqlite3_progress_handler(db.get(), kStepsPerCheck, StopWhenTooLong, &checks);

    std::vector<std::vector<std::string>> rows;
    for (const char* query : queries) {
        sqlite3_stmt* prepared = nullptr;
        if (sqlite3_prepare_v2(db.get(), query, -1, &prepared, nullptr) != SQLITE_OK) continue;
        const std::unique_ptr<sqlite3_stmt, FinishStatement> statement(prepared);
        while (rows.size() < mostRows && sqlite3_step(statement.get()) == SQLITE_ROW) {
            std::vector<std::string>& row = rows.emplace_back();
            for (int column = 0; column < columns; ++column)
                row.push_back(ColumnText(statement.get(), column));
        }
        break;
    }
    return rows;
}

}  // namespace movrand::platform
