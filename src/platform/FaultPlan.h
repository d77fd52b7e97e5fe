#pragma once
#include <string>

namespace movrand::platform {

// Test hook of the file-system service: counts the mutating operations (create, copy, move,
// rename, delete, write) and makes a chosen one fail with a chosen error, so tests can stop a
// multi-step operation at every step in turn.
class FaultPlan {
  public:
    // The n-th mutating operation from now (1 = the next one) raises the error `number`.
    void FailAt(int n, int number);
    void Clear();
    // Mutating operations seen since the plan was made or cleared.
    int Count() const { return count_; }
    // The operation that failed last ("copy C:\...") or "".
    const std::string& LastFailure() const { return lastFailure_; }

    // Called by the service before each mutating operation.
    void Check(const std::string& what);

  private:
    int count_ = 0;
    int failAt_ = 0;
    int number_ = 0;
    std::string lastFailure_;
};

}  // namespace movrand::platform
