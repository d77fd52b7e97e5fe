// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/GroupShare.h"

#include <fcntl.h>
#include <unistd.h>

namespace movrand::platform {

mode_t GroupMode(const struct stat& installation, mode_t own, bool folder) {
    if (!(installation.st_mode & S_IWGRP)) return own;
    mode_t mode = own | ((own & S_IRWXU) >> 3);
    if (folder) mode |= S_ISGID;
    return mode;
}

void TakeInstallationGroup(int fd, const struct stat& installation, mode_t mode) {
    [[maybe_unused]] const int ignored = ::fchown(fd, static_cast<uid_t>(-1), installation.st_gid);
    ::fchmod(fd, mode);
}

void ShareWrittenFile(int folder, int file) {
    struct stat into {};
    if (::fstat(folder, &into) != 0 || !(into.st_mode & S_IWGRP) || (into.st_mode & S_IWOTH))
        return;
    struct stat st {};
    if (::fstat(file, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) return;
    const mode_t mode = GroupMode(into, st.st_mode & 07777, false);
    if (mode != (st.st_mode & 07777)) ::fchmod(file, mode);
}

void ShareLikeInstallation(const std::filesystem::path& native, const struct stat& installation) {
    if (!(installation.st_mode & S_IWGRP)) return;
    const int fd = ::open(native.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && st.st_uid == ::geteuid() &&
        // A file with other names may be a game file the history links to: left as it is.
        (S_ISDIR(st.st_mode) || (S_ISREG(st.st_mode) && st.st_nlink == 1))) {
        const mode_t mode = GroupMode(installation, st.st_mode & 07777, S_ISDIR(st.st_mode));
        if (st.st_gid != installation.st_gid || mode != (st.st_mode & 07777))
            TakeInstallationGroup(fd, installation, mode);
    }
    ::close(fd);
}

}  // namespace movrand::platform
