// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ProgramLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <thread>
#include <utility>

namespace movrand::platform {

namespace {

using Clock = std::chrono::steady_clock;
using State = ProgramLock::State;

// Locks `path` (a folder, or a file made when missing) into `fd`, trying until `deadline`.
State LockPath(const std::filesystem::path& path, bool folder, Clock::time_point deadline, int& fd,
               int& error) {
    for (;;) {
        // Not inherited by programs started from here (a browser), which would keep it held.
        fd = folder ? ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)
                    : ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
        if (fd < 0) {
            error = errno;
            return State::Failed;
        }
        for (;;) {
            if (::flock(fd, LOCK_EX | LOCK_NB) == 0) break;
            const int failure = errno;
            if (failure == EINTR) continue;
            if (failure != EWOULDBLOCK) {
                ::close(fd);
                fd = -1;
                error = failure;
                const bool unsupported = failure == ENOLCK || failure == EOPNOTSUPP ||
                                         failure == EBADF || failure == EINVAL;
                return folder && unsupported ? State::Unsupported : State::Failed;
            }
            if (Clock::now() >= deadline) {
                ::close(fd);
                fd = -1;
                return State::Busy;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        // Deleted, replaced or renamed away between the open and the lock: what was locked is no
        // longer what others will open, so the lock is taken again on what the path names now.
        struct stat locked {};
        struct stat named {};
        if (::fstat(fd, &locked) == 0 && ::stat(path.c_str(), &named) == 0 &&
            locked.st_dev == named.st_dev && locked.st_ino == named.st_ino)
            return State::Held;
        ::close(fd);
        fd = -1;
        if (Clock::now() >= deadline) return State::Busy;
    }
}

}  // namespace

ProgramLock ProgramLock::Take(const std::filesystem::path& folder, std::chrono::milliseconds wait) {
    ProgramLock lock;
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    const auto deadline = Clock::now() + wait;
    // The folder's lock keeps a second run out even when the lock file is deleted while held.
    lock.state_ = LockPath(folder, true, deadline, lock.folderFd_, lock.error_);
    if (!lock.Usable()) return lock;
    lock.state_ = LockPath(folder / "movrand.lock", false, deadline, lock.fileFd_, lock.error_);
    if (!lock.Usable()) lock.Release();
    return lock;
}

ProgramLock ProgramLock::TakeFolder(const std::filesystem::path& folder,
                                    std::chrono::milliseconds wait) {
    ProgramLock lock;
    lock.state_ = LockPath(folder, true, Clock::now() + wait, lock.folderFd_, lock.error_);
    return lock;
}

ProgramLock::ProgramLock(ProgramLock&& other) noexcept
    : folderFd_(std::exchange(other.folderFd_, -1)),
      fileFd_(std::exchange(other.fileFd_, -1)),
      state_(other.state_),
      error_(other.error_) {}

ProgramLock& ProgramLock::operator=(ProgramLock&& other) noexcept {
    if (this != &other) {
        Release();
        folderFd_ = std::exchange(other.folderFd_, -1);
        fileFd_ = std::exchange(other.fileFd_, -1);
        state_ = other.state_;
        error_ = other.error_;
    }
    return *this;
}

ProgramLock::~ProgramLock() {
    Release();
}

void ProgramLock::Release() {
    if (fileFd_ >= 0) ::close(fileFd_);
    if (folderFd_ >= 0) ::close(folderFd_);
    fileFd_ = folderFd_ = -1;
}

}  // namespace movrand::platform
