// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <chrono>
#include <filesystem>
#include <string>

namespace movrand::platform {

// One Movrand at a time. The program's own folder is guarded by an exclusive lock (flock) on the
// folder itself and on "movrand.lock" in it (the working copy and the swap journal live there);
// an installation by a lock on "movrand\movrand.lock" in its folder, which every user and every
// data home sees alike, and which only those who may write the installation can open: it is
// made with the installation folder's group and mode, and no one else may read it unless
// everyone may write the folder. A lock of the installation folder itself, which anyone who can
// read it may take, stops no run.
// After locking, the path must still name what was locked: a lock file deleted or replaced, or a
// folder renamed away, meanwhile guards nothing, so the lock is taken again on what is there now.
// The lock lives as long as this object, and the system frees it at once when the process ends in
// any way, a kill included; the file itself stays.
class ProgramLock {
  public:
    enum class State {
        Held,         // this process holds the lock
        Busy,         // another process held it for the whole wait
        Failed,       // the lock could not be taken; Error() tells why
        Unsupported,  // the file system keeps no folder locks (some network file systems)
        ReadOnly,     // this user may not write the installation, so there is nothing to guard
    };

    // Takes the lock of the program's folder `folder` (made when missing), trying again until
    // `wait` has passed.
    static ProgramLock Take(const std::filesystem::path& folder, std::chrono::milliseconds wait);
    // Takes the lock of the installation in the existing folder `folder`, making its "movrand"
    // folder and lock file when missing. Neither may be a link, and the lock file must be a
    // regular file.
    static ProgramLock TakeInstallation(const std::filesystem::path& folder,
                                        std::chrono::milliseconds wait);

    ProgramLock(ProgramLock&& other) noexcept;
    ProgramLock& operator=(ProgramLock&& other) noexcept;
    ProgramLock(const ProgramLock&) = delete;
    ProgramLock& operator=(const ProgramLock&) = delete;
    ~ProgramLock();

    State Result() const { return state_; }
    // Held, or nothing to hold on this file system: the run may go on.
    bool Usable() const {
        return state_ == State::Held || state_ == State::Unsupported || state_ == State::ReadOnly;
    }
    // The system's errno when the lock could not be taken.
    int Error() const { return error_; }

  private:
    ProgramLock() = default;
    void Release();

    int folderFd_ = -1;
    int fileFd_ = -1;
    State state_ = State::Failed;
    int error_ = 0;
};

}  // namespace movrand::platform
