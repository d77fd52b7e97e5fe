// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileKeeping.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <memory>
#include <set>
#include <utility>

#include "platform/DiskSync.h"
#include "platform/FileHandles.h"
#include "platform/FileSystemErrors.h"
#include "platform/Fingerprint.h"
#include "platform/RuntimeError.h"
#include "platform/WholeFileReplace.h"

namespace movrand::platform {
namespace fs = std::filesystem;

namespace {

// Reads the open file `fd` to its end, fingerprinting its bytes; `write`, when given, is handed
// each piece read.
template <typename Write>
std::string HashOfOpen(int fd, const std::string& shown, Write write,
                       std::uint64_t size = std::numeric_limits<std::uint64_t>::max()) {
    Fingerprint print;
    // One buffer for all files: a fresh one per file (zeroed, or mapped and let go again by
    // the allocator) cost more than the fingerprint of a file of 100 kB.
    constexpr std::size_t kBufferSize = 1 << 18;
    thread_local const auto buffer = std::make_unique_for_overwrite<char[]>(kBufferSize);
    std::uint64_t done = 0;
    for (;;) {
        const ssize_t n = ::read(fd, buffer.get(), kBufferSize);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            throw ErrorAbout(errno, "read", shown);
        }
        print.Add(buffer.get(), static_cast<std::size_t>(n));
        write(buffer.get(), static_cast<size_t>(n));
        done += static_cast<std::uint64_t>(n);
        if (done == size && static_cast<std::size_t>(n) < kBufferSize) break;
    }
    return print.Hex();
}

}  // namespace

std::string FastHashOfOpen(int fd, const std::string& shown, std::uint64_t size) {
    return HashOfOpen(
        fd, shown, [](const char*, std::size_t) {}, size);
}

FileFacts FactsOf(const fs::path& native, int folder) {
    FileFacts facts;
    struct stat st {};
    if (::fstatat(folder < 0 ? AT_FDCWD : folder,
                  folder < 0 ? native.c_str() : native.filename().c_str(), &st,
                  AT_SYMLINK_NOFOLLOW) != 0)
        return facts;
    facts.Kind = S_ISREG(st.st_mode)   ? FileFacts::Type::File
                 : S_ISDIR(st.st_mode) ? FileFacts::Type::Folder
                                       : FileFacts::Type::Other;
    facts.Size = S_ISREG(st.st_mode) ? static_cast<std::uint64_t>(st.st_size) : 0;
    facts.Mode = st.st_mode & 07777;
    facts.ModifiedNs =
        static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    facts.ChangedNs =
        static_cast<std::int64_t>(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
    facts.Number = st.st_ino;
    facts.Device = st.st_dev;
    facts.Group = st.st_gid;
    facts.Blocks = static_cast<std::uint64_t>(st.st_blocks);
    return facts;
}

bool ChangeTimeSettled(std::int64_t changedNs) {
    // Change times come from the coarse clock, or finer but never behind it.
    struct timespec now {};
    if (::clock_gettime(CLOCK_REALTIME_COARSE, &now) != 0) return false;
    return changedNs < static_cast<std::int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

std::string FastHashOf(const fs::path& native, bool looked, int folder) {
    struct stat info {};
    const Descriptor in = OpenForReading(folder < 0 ? AT_FDCWD : folder,
                                         folder < 0 ? native.c_str() : native.filename().c_str(),
                                         native.string(), info, false, nullptr, !looked);
    return FastHashOfOpen(in.Get(), native.string());
}

std::string FastHashOfBytes(std::string_view bytes) {
    return Fingerprint::Of(bytes);
}

std::string CopyFingerprinted(int from, int to, const std::string& fromShown,
                              const std::string& toShown, std::uint64_t size) {
    return HashOfOpen(
        from, fromShown,
        [&](const char* bytes, std::size_t piece) {
            for (std::size_t done = 0; done < piece;) {
                const ssize_t w = ::write(to, bytes + done, piece - done);
                if (w < 0) {
                    if (errno == EINTR) continue;
                    throw ErrorAbout(errno, "write", toShown);
                }
                done += static_cast<std::size_t>(w);
            }
        },
        size);
}

bool StillAsWritten(const WrittenFile& file, int folder) {
    struct stat st {};
    return ::fstatat(folder < 0 ? AT_FDCWD : folder,
                     folder < 0 ? file.Path.c_str() : file.Path.filename().c_str(), &st,
                     AT_SYMLINK_NOFOLLOW) == 0 &&
           S_ISREG(st.st_mode) && st.st_dev == file.Device && st.st_ino == file.Number &&
           static_cast<std::uint64_t>(st.st_size) == file.Size &&
           (st.st_mode & 07777) == file.Mode &&
           static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec ==
               file.ModifiedNs &&
           static_cast<std::int64_t>(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec ==
               file.ChangedNs;
}

KeptAs KeepFile(const fs::path& file, const fs::path& kept, bool copy, int keptFolder, int folder) {
    const int linked = copy ? -1
                            : ::linkat(folder < 0 ? AT_FDCWD : folder,
                                       folder < 0 ? file.c_str() : file.filename().c_str(),
                                       keptFolder < 0 ? AT_FDCWD : keptFolder,
                                       keptFolder < 0 ? kept.c_str() : kept.filename().c_str(), 0);
    if (linked == 0) return KeptAs::Link;
    if (!copy && errno == EEXIST) return KeptAs::AlreadyKept;
    struct stat st {};
    if (::lstat(kept.c_str(), &st) == 0) return KeptAs::AlreadyKept;
    ReplaceOptions options;
    options.Shown = kept.string();
    ReplaceFileWithCopy(file, kept, options);
    return KeptAs::Copy;
}

std::optional<WrittenFile> WrittenFileAt(const fs::path& native, const std::string& hash,
                                         int folder) {
    struct stat st {};
    if (::fstatat(folder < 0 ? AT_FDCWD : folder,
                  folder < 0 ? native.c_str() : native.filename().c_str(), &st,
                  AT_SYMLINK_NOFOLLOW) != 0 ||
        !S_ISREG(st.st_mode))
        return std::nullopt;
    WrittenFile file;
    file.Path = native;
    file.Hash = hash;
    file.Device = st.st_dev;
    file.Number = st.st_ino;
    file.Size = static_cast<std::uint64_t>(st.st_size);
    file.Mode = st.st_mode & 07777;
    file.ModifiedNs =
        static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    file.ChangedNs = static_cast<std::int64_t>(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
    return file;
}

Descriptor MakeFolderAt(int parent, const std::string& name, const std::string& shown) {
    if (::mkdirat(parent, name.c_str(), 0777) != 0 && errno != EEXIST)
        throw ErrorAbout(errno, "create folder", shown, true);
    struct stat st {};
    if (::fstatat(parent, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && !S_ISDIR(st.st_mode))
        throw NotPlainError("create folder", shown, st.st_mode);
    return OpenFolderAt(parent, name.c_str(), shown);
}

void DropKeptFile(const fs::path& kept) {
    if (::unlink(kept.c_str()) != 0 && errno != ENOENT)
        throw ErrorAbout(errno, "delete", kept.string());
}

void SetMode(const fs::path& native, unsigned mode, int folder) {
    const int at = folder < 0 ? AT_FDCWD : folder;
    const std::string leaf = folder < 0 ? native.string() : native.filename().string();
    const char* name = leaf.c_str();
    struct stat st {};
    if (::fstatat(at, name, &st, AT_SYMLINK_NOFOLLOW) != 0 || S_ISLNK(st.st_mode)) return;
    if ((st.st_mode & 07777) == (mode & 07777)) return;
    // Never through a link put there since the look.
    int done = ::fchmodat(at, name, mode & 07777, AT_SYMLINK_NOFOLLOW);
    if (done != 0 && (errno == ENOTSUP || errno == EOPNOTSUPP))
        done = ::fchmodat(at, name, mode & 07777, 0);
    if (done != 0) throw ErrorAbout(errno, "write", native.string());
}

void AppendLineSynced(const fs::path& native, const std::string& line) {
    struct stat st {};
    const bool made = ::lstat(native.c_str(), &st) != 0;
    Descriptor out(
        ::open(native.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_NOFOLLOW | O_CLOEXEC, 0644));
    if (out.Get() < 0) throw ErrorAbout(errno, "write", native.string());
    WriteAllBytes(out.Get(), line + "\n");
    if (const int error = SyncToDisk(out.Get(), SyncKind::File))
        throw SyncFailure(error, native.string());
    out.Close(native.string());
    // A file just made is on the disk only once its folder's entry is.
    if (made) SyncFolder(native.parent_path());
}

std::uint64_t DiskSpaceUnder(const fs::path& folder) {
    std::uint64_t bytes = 0;
    std::set<std::pair<dev_t, ino_t>> counted;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        struct stat st {};
        if (::lstat(it->path().c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
        if (st.st_nlink > 1 && !counted.insert({st.st_dev, st.st_ino}).second) continue;
        bytes += static_cast<std::uint64_t>(st.st_blocks) * 512;
    }
    return bytes;
}

std::vector<std::string> FilesUnder(const fs::path& folder) {
    std::vector<std::string> files;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (it->symlink_status(typeError).type() == fs::file_type::regular)
            files.push_back(it->path().lexically_relative(folder).string());
    }
    return files;
}

}  // namespace movrand::platform
