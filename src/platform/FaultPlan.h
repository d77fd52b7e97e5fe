// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <chrono>
#include <functional>
#include <string>

namespace movrand::platform {

// Test hook of the file-system service: counts the mutating operations (create, copy, move,
// rename, delete, write) and makes a chosen one fail with a chosen error, so tests can stop a
// multi-step operation at every step in turn. A folder copy counts each folder it makes and each
// file it copies; a failed write leaves the file cut short, as a full disk does.
class FaultPlan {
  public:
    // The n-th mutating operation from now (1 = the next one) raises the error `number`.
    void FailAt(int n, int number);
    void Clear();
    // Runs `action` with the operation's name just before each mutating operation, as another
    // program changing the disk at that moment would.
    void BeforeEach(std::function<void(const std::string&)> action) { before_ = std::move(action); }
    // Every mutating operation from now takes this much longer, as on a slow disk.
    void DelayEach(std::chrono::milliseconds delay) { delay_ = delay; }
    // Mutating operations seen since the plan was made or cleared.
    int Count() const { return count_; }
    // The operation that failed last ("copy C:\...") or "".
    const std::string& LastFailure() const { return lastFailure_; }

    // Called by the service before each mutating operation.
    void Check(const std::string& what);

    // The history's own writes and syncs (its journal, step files and index) are counted apart,
    // so that failing one of them leaves the count of the service's operations as it was: the
    // n-th from now (1 = the next one) fails with the system's error `osError` (ENOSPC, EIO).
    void FailRecordAt(int n, int osError);
    int RecordCount() const { return recordCount_; }
    // Called before each write or sync of a history file: 0, or the error it must fail with.
    int RecordFault(const std::string& what);

  private:
    int count_ = 0;
    int failAt_ = 0;
    int number_ = 0;
    std::string lastFailure_;
    std::chrono::milliseconds delay_{0};
    std::function<void(const std::string&)> before_;
    int recordCount_ = 0;
    int recordFailAt_ = 0;
    int recordError_ = 0;
};

}  // namespace movrand::platform
