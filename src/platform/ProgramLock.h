#pragma once
#include <chrono>
#include <filesystem>
#include <string>

namespace movrand::platform {

// One Movrand at a time: an exclusive lock (flock) on "movrand.lock" in the program's own
// folder, which guards the working copy, the swap journal and the installation. The lock
// lives as long as this object, and the system frees it at once when the process ends in any
// way, a kill included; the file itself stays.
class ProgramLock {
  public:
    enum class State {
        Held,    // this process holds the lock
        Busy,    // another process held it for the whole wait
        Failed,  // the lock file could not be opened; Error() tells why
    };

    // Takes the lock in `folder` (made when missing), trying again until `wait` has passed.
    static ProgramLock Take(const std::filesystem::path& folder, std::chrono::milliseconds wait);

    ProgramLock(ProgramLock&& other) noexcept;
    ProgramLock& operator=(ProgramLock&& other) noexcept;
    ProgramLock(const ProgramLock&) = delete;
    ProgramLock& operator=(const ProgramLock&) = delete;
    ~ProgramLock();

    State Result() const { return state_; }
    // The system's errno when the lock file could not be opened.
    int Error() const { return error_; }

  private:
    ProgramLock() = default;
    void Release();

    int fd_ = -1;
    State state_ = State::Failed;
    int error_ = 0;
};

}  // namespace movrand::platform
