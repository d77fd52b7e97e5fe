#include "platform/ProgramLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <thread>
#include <utility>

namespace movrand::platform {

ProgramLock ProgramLock::Take(const std::filesystem::path& folder, std::chrono::milliseconds wait) {
    ProgramLock lock;
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    // Not inherited by programs started from here (a browser), which would keep it held.
    lock.fd_ = ::open((folder / "movrand.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (lock.fd_ < 0) {
        lock.error_ = errno;
        return lock;
    }
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        if (::flock(lock.fd_, LOCK_EX | LOCK_NB) == 0) {
            lock.state_ = State::Held;
            return lock;
        }
        if (errno != EWOULDBLOCK && errno != EINTR) {
            lock.error_ = errno;
            lock.Release();
            return lock;
        }
        if (std::chrono::steady_clock::now() >= deadline) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    lock.state_ = State::Busy;
    lock.Release();
    return lock;
}

ProgramLock::ProgramLock(ProgramLock&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), state_(other.state_), error_(other.error_) {}

ProgramLock& ProgramLock::operator=(ProgramLock&& other) noexcept {
    if (this != &other) {
        Release();
        fd_ = std::exchange(other.fd_, -1);
        state_ = other.state_;
        error_ = other.error_;
    }
    return *this;
}

ProgramLock::~ProgramLock() {
    Release();
}

void ProgramLock::Release() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

}  // namespace movrand::platform
