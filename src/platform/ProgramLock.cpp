// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ProgramLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <thread>
#include <utility>

#include "platform/GroupShare.h"

namespace movrand::platform {

namespace {

using Clock = std::chrono::steady_clock;
using State = ProgramLock::State;

// Takes the exclusive lock of an open file or folder, trying until `deadline`. Unsupported where
// the file system keeps no such locks.
State Flock(int fd, Clock::time_point deadline, int& error) {
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return State::Held;
        const int failure = errno;
        if (failure == EINTR) continue;
        if (failure != EWOULDBLOCK) {
            error = failure;
            const bool unsupported =
                failure == ENOLCK || failure == EOPNOTSUPP || failure == EBADF || failure == EINVAL;
            return unsupported ? State::Unsupported : State::Failed;
        }
        if (Clock::now() >= deadline) return State::Busy;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

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
        const State state = Flock(fd, deadline, error);
        if (state != State::Held) {
            ::close(fd);
            fd = -1;
            return state == State::Unsupported && !folder ? State::Failed : state;
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

// The mode of the installation's lock file: its owner's, and its group's and everyone's where
// they may write the installation folder, so that no one else can open it.
mode_t LockFileMode(const struct stat& installation) {
    mode_t mode = S_IRUSR | S_IWUSR;
    if (installation.st_mode & S_IWGRP) mode |= S_IRGRP | S_IWGRP;
    if (installation.st_mode & S_IWOTH) mode |= S_IROTH | S_IWOTH;
    return mode;
}

// Opens (making it when missing) the entry `name` of the open folder `at`: a folder, or a lock
// file. What is made gets the installation's group and the given mode; a lock file of ours that
// others may open is closed to them. -1 with errno set on failure; a link there gives ELOOP.
int OpenOwnEntry(int at, const char* name, bool folder, const struct stat& installation,
                 mode_t mode) {
    for (int tries = 0; tries < 8; ++tries) {
        const int flags = folder ? O_RDONLY | O_DIRECTORY : O_RDWR | O_NONBLOCK;
        int fd = ::openat(at, name, flags | O_NOFOLLOW | O_CLOEXEC);
        bool made = false;
        if (fd < 0 && errno == ENOENT) {
            if (folder ? ::mkdirat(at, name, 0700) != 0
                       : (fd = ::openat(
                              at, name,
                              O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC,
                              0600)) < 0) {
                if (errno == EEXIST) continue;
                return -1;
            }
            if (folder) fd = ::openat(at, name, flags | O_NOFOLLOW | O_CLOEXEC);
            made = fd >= 0;
        }
        if (fd < 0) {
            if (errno == ENOTDIR || errno == ELOOP) errno = ELOOP;
            return -1;
        }
        struct stat st {};
        if (::fstat(fd, &st) != 0 || (!folder && !S_ISREG(st.st_mode))) {
            ::close(fd);
            errno = ELOOP;
            return -1;
        }
        if (made) {
            TakeInstallationGroup(fd, installation, mode);
        } else if (!folder && st.st_uid == ::geteuid() && (st.st_mode & 0777 & ~mode) != 0) {
            ::fchmod(fd, mode);
        }
        return fd;
    }
    errno = EAGAIN;
    return -1;
}

// Locks the installation's lock file into `fd`, trying until `deadline`.
State LockInstallationFile(const std::filesystem::path& folder, Clock::time_point deadline, int& fd,
                           int& error) {
    const int top = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (top < 0) {
        error = errno;
        return State::Failed;
    }
    struct stat installation {};
    ::fstat(top, &installation);
    State state = State::Failed;
    for (;;) {
        const int own = OpenOwnEntry(top, "movrand", true, installation,
                                     (installation.st_mode & 07777) | S_IRWXU);
        fd = own < 0 ? -1
                     : OpenOwnEntry(own, "movrand.lock", false, installation,
                                    LockFileMode(installation));
        if (fd < 0) {
            error = errno;
            if (own >= 0) ::close(own);
            // Whoever may not write the installation changes nothing in it and needs no lock.
            const bool refused = error == EACCES || error == EPERM || error == EROFS;
            state = refused && ::faccessat(top, ".", W_OK, AT_EACCESS) != 0 ? State::ReadOnly
                                                                            : State::Failed;
            break;
        }
        state = Flock(fd, deadline, error);
        if (state != State::Held) {
            ::close(own);
            if (state == State::Unsupported) {
                // Nothing to hold on this file system: the run goes on, as with a folder.
                ::close(fd);
                fd = -1;
            }
            break;
        }
        // The file locked must still be the one at the path, in the folder at its path: a
        // lock file or folder deleted or replaced meanwhile guards nothing.
        struct stat locked {
        }, named{}, ownLocked{}, ownNamed{};
        const bool same = ::fstat(fd, &locked) == 0 &&
                          ::fstatat(own, "movrand.lock", &named, AT_SYMLINK_NOFOLLOW) == 0 &&
                          locked.st_dev == named.st_dev && locked.st_ino == named.st_ino &&
                          ::fstat(own, &ownLocked) == 0 &&
                          ::fstatat(top, "movrand", &ownNamed, AT_SYMLINK_NOFOLLOW) == 0 &&
                          ownLocked.st_dev == ownNamed.st_dev &&
                          ownLocked.st_ino == ownNamed.st_ino;
        ::close(own);
        if (same) break;
        ::close(fd);
        fd = -1;
        state = State::Busy;
        if (Clock::now() >= deadline) break;
    }
    ::close(top);
    if (state != State::Held && fd >= 0) {
        ::close(fd);
        fd = -1;
    }
    return state;
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

ProgramLock ProgramLock::TakeInstallation(const std::filesystem::path& folder,
                                          std::chrono::milliseconds wait) {
    ProgramLock lock;
    lock.state_ = LockInstallationFile(folder, Clock::now() + wait, lock.fileFd_, lock.error_);
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
