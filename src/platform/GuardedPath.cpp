// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/GuardedPath.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>

#if __has_include(<linux/openat2.h>)
#include <linux/openat2.h>
#endif

#include "platform/FileSystemErrors.h"

namespace movrand::platform {

namespace {

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;

std::string Joined(const std::string& root, const std::vector<std::string>& names,
                   std::size_t count) {
    std::string path = root;
    for (std::size_t i = 0; i < count; ++i) {
        if (path.empty() || path.back() != '\\') path += '\\';
        path += names[i];
    }
    return path;
}

// The whole way in one call; -1 where the kernel cannot, or the way is not clear.
int OpenInOneCall([[maybe_unused]] int root, [[maybe_unused]] const std::string& relative) {
#if defined(SYS_openat2) && defined(RESOLVE_NO_SYMLINKS)
    struct open_how how {};
    how.flags = kFolderFlags;
    how.resolve = RESOLVE_NO_SYMLINKS | RESOLVE_BENEATH | RESOLVE_NO_MAGICLINKS;
    for (;;) {
        const long fd = ::syscall(SYS_openat2, root, relative.c_str(), &how, sizeof how);
        if (fd >= 0) return static_cast<int>(fd);
        if (errno != EINTR && errno != EAGAIN) return -1;
    }
#else
    return -1;
#endif
}

}  // namespace

Descriptor OpenBelow(int root, const std::vector<std::string>& names, const std::string& shownRoot,
                     const std::string& shown) {
    std::string relative = ".";
    for (const std::string& name : names) relative += "/" + name;
    if (const int fd = OpenInOneCall(root, relative); fd >= 0) return Descriptor(fd);
    // Component by component: also what finds the link (or the missing folder) to name.
    Descriptor at(::fcntl(root, F_DUPFD_CLOEXEC, 0));
    if (at.Get() < 0) throw ErrorAbout(errno, "open folder", shown, true);
    for (std::size_t i = 0; i < names.size(); ++i) {
        const char* name = names[i].c_str();
        Descriptor next(::openat(at.Get(), name, kFolderFlags | O_NOFOLLOW));
        if (next.Get() < 0) {
            const int error = errno;
            struct stat st {};
            if (::fstatat(at.Get(), name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(st.st_mode))
                throw RuntimeError(kPathFileAccessError,
                                   "Cannot reach " + shown + ": " +
                                       Joined(shownRoot, names, i + 1) +
                                       " is a link to another place, and no link is followed "
                                       "inside the GPL installation");
            throw ErrorAbout(error == ENOTDIR ? ENOENT : error, "open folder", shown, true);
        }
        at = std::move(next);
    }
    return at;
}

}  // namespace movrand::platform
