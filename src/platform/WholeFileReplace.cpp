// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/WholeFileReplace.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <memory>

#include "platform/DiskSync.h"
#include "platform/FileSystemErrors.h"
#include "platform/GroupShare.h"

namespace movrand::platform {
namespace fs = std::filesystem;

namespace {

[[noreturn]] void FailWith(int error, bool isFolder = false) {
    throw ErrorFromCode(std::error_code(error, std::generic_category()), isFolder);
}

Descriptor OpenFolder(const fs::path& folder) {
    Descriptor dir(
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Get() < 0) FailWith(errno, true);
    return dir;
}

void SyncDescriptor(int fd) {
    if (const int error = SyncToDisk(fd, SyncKind::Folder)) {
        RaiseIfRecordFailed(error);
        FailWith(error);
    }
}

// Copies every byte of one descriptor into another, in the kernel where it can.
void CopyBytes(int from, int to) {
    bool kernel = true;
    for (;;) {
        if (kernel) {
            const ssize_t n = ::copy_file_range(from, nullptr, to, nullptr, 1 << 30, 0);
            if (n > 0) continue;
            if (n == 0) return;
            if (errno == EINTR) continue;
            if (errno != EXDEV && errno != ENOSYS && errno != EINVAL && errno != EOPNOTSUPP)
                FailWith(errno);
            kernel = false;
        }
        char buffer[1 << 16];
        const ssize_t n = ::read(from, buffer, sizeof buffer);
        if (n == 0) return;
        if (n < 0) {
            if (errno == EINTR) continue;
            FailWith(errno);
        }
        WriteAllBytes(to, std::string_view(buffer, static_cast<std::size_t>(n)));
    }
}

// Gives the new file the permissions and group of the regular file `name` it is to replace.
// A group the writer is no member of cannot be given: the file keeps the writer's.
void TakeModeOfReplaced(int folder, const std::string& name, int file) {
    struct stat replaced {};
    if (::fstatat(folder, name.c_str(), &replaced, AT_SYMLINK_NOFOLLOW) != 0 ||
        !S_ISREG(replaced.st_mode))
        return;
    struct stat written {};
    if (::fstat(file, &written) == 0 && written.st_gid != replaced.st_gid &&
        ::fchown(file, static_cast<uid_t>(-1), replaced.st_gid) != 0) {
        // not a member of that group
    }
    if (::fchmod(file, replaced.st_mode & 0777) != 0) FailWith(errno);
}

}  // namespace

std::string TemporaryName() {
    static std::atomic<unsigned> counter{0};
    return ".movrand-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp";
}

bool IsOwnTemporary(const std::string& name, long* process) {
    const std::string prefix = ".movrand-", suffix = ".tmp";
    if (name.size() <= prefix.size() + suffix.size() || name.compare(0, prefix.size(), prefix) ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix))
        return false;
    const std::string middle =
        name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
    const std::size_t dash = middle.find('-');
    const auto digits = [](const std::string& s) {
        return !s.empty() && s.size() < 10 &&
               s.find_first_not_of("0123456789") == std::string::npos;
    };
    if (dash == std::string::npos || !digits(middle.substr(0, dash)) ||
        !digits(middle.substr(dash + 1)))
        return false;
    if (process) *process = std::stol(middle.substr(0, dash));
    return true;
}

void WriteAllBytes(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            FailWith(errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

void SyncFolder(const fs::path& folder) {
    const Descriptor dir = OpenFolder(folder);
    SyncDescriptor(dir.Get());
}

void SyncAfterRename(const fs::path& from, const fs::path& to) noexcept {
    for (const fs::path& folder : {to.parent_path(), from.parent_path()}) {
        const int fd =
            ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) continue;
        SyncToDisk(fd, SyncKind::Folder);
        ::close(fd);
        if (from.parent_path() == to.parent_path()) break;
    }
}

void ReplaceFileWholeAt(int folder, const std::string& name,
                        const std::function<void(int fd)>& write, const ReplaceOptions& options) {
    const auto step = [&](ReplaceStep s) {
        if (options.BeforeStep) options.BeforeStep(s);
    };
    const auto fail = [&](int error) {
        if (options.Shown.empty()) FailWith(error);
        throw ErrorAbout(error, "write", options.Shown);
    };
    if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos)
        fail(EISDIR);
    const std::string temporary = TemporaryName();
    step(ReplaceStep::Create);
    int file = ::openat(folder, temporary.c_str(),
                        O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, options.Mode);
    if (file < 0) fail(errno);
    bool renamed = false;
    try {
        step(ReplaceStep::Write);
        write(file);
        if (options.KeepReplacedMode) TakeModeOfReplaced(folder, name, file);
        ShareWrittenFile(folder, file);
        step(ReplaceStep::Sync);
        if (const int error = options.Synced ? SyncToDisk(file, SyncKind::File) : 0) {
            RaiseIfRecordFailed(error);
            fail(error);
        }
        // A failing close can be the first sign of a full disk.
        const int closing = file;
        file = -1;
        if (::close(closing) != 0 && errno != EINTR) fail(errno);
        step(ReplaceStep::Rename);
        if (::renameat(folder, temporary.c_str(), folder, name.c_str()) != 0) fail(errno);
        renamed = true;
    } catch (...) {
        if (file >= 0) ::close(file);
        if (!renamed) ::unlinkat(folder, temporary.c_str(), 0);
        throw;
    }
    // The new file is in place: callers go on from here, and a folder that cannot be synced
    // (a failing disk) would not undo the rename.
    try {
        step(ReplaceStep::SyncFolder);
        if (options.Synced) SyncDescriptor(folder);
    } catch (...) {
    }
}

void ReplaceFileWhole(const fs::path& target, const std::function<void(int fd)>& write,
                      const ReplaceOptions& options) {
    const std::string name = target.filename().string();
    if (name.empty() || name == "." || name == "..") FailWith(EISDIR);
    const Descriptor folder = OpenFolder(target.parent_path());
    ReplaceFileWholeAt(folder.Get(), name, write, options);
}

void ReplaceFileWithBytes(const fs::path& target, std::string_view bytes,
                          const ReplaceOptions& options) {
    ReplaceFileWhole(
        target, [&](int fd) { WriteAllBytes(fd, bytes); }, options);
}

void ReplaceFileWithCopy(const fs::path& source, const fs::path& target, ReplaceOptions options) {
    options.KeepReplacedMode = false;
    // Only a regular file is copied, and opening it cannot wait on a FIFO's writer.
    Descriptor from(::open(source.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (from.Get() < 0) FailWith(errno == ELOOP ? EACCES : errno);
    struct stat st {};
    if (::fstat(from.Get(), &st) != 0) FailWith(errno);
    if (!S_ISREG(st.st_mode)) FailWith(EACCES);
    ReplaceFileWhole(
        target,
        [&](int fd) {
            CopyBytes(from.Get(), fd);
            const struct timespec times[2] = {st.st_atim, st.st_mtim};
            if (::futimens(fd, times) != 0) FailWith(errno);
            if (::fchmod(fd, st.st_mode & 07777) != 0) FailWith(errno);
        },
        options);
}

int SweepOwnTemporaries(const std::vector<NativePath>& folders) {
    struct timespec runStart {};
    ::clock_gettime(CLOCK_REALTIME, &runStart);
    int removed = 0;
    for (const NativePath& folder : folders) {
        // A folder can hold thousands of car files: names are looked at as the listing gives
        // them, and only one of the scheme is looked at further.
        const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) continue;
        DIR* dir = ::fdopendir(fd);
        if (!dir) {
            ::close(fd);
            continue;
        }
        const std::unique_ptr<DIR, int (*)(DIR*)> closer(dir, ::closedir);
        while (const dirent* entry = ::readdir(dir)) {
            if (std::strncmp(entry->d_name, ".movrand-", 9) != 0) continue;
            long process = 0;
            if (!IsOwnTemporary(entry->d_name, &process)) continue;
            struct stat st {};
            if (::fstatat(::dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 ||
                !S_ISREG(st.st_mode))
                continue;
            // A run that is still going may be writing it.
            bool running = process == ::getpid();
            if (!running) running = ::kill(static_cast<pid_t>(process), 0) == 0 || errno == EPERM;
            const bool before =
                st.st_mtim.tv_sec < runStart.tv_sec ||
                (st.st_mtim.tv_sec == runStart.tv_sec && st.st_mtim.tv_nsec < runStart.tv_nsec);
            if (running || !before) continue;
            if (::unlinkat(::dirfd(dir), entry->d_name, 0) == 0) ++removed;
        }
    }
    return removed;
}

}  // namespace movrand::platform
