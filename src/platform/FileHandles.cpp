// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileHandles.h"

#include <fcntl.h>
#include <sys/sendfile.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/FileSystemErrors.h"

namespace movrand::platform {

Descriptor& Descriptor::operator=(Descriptor&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = other.fd_;
        other.fd_ = -1;
    }
    return *this;
}

Descriptor::~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
}

void Descriptor::Close(const std::string& shown) {
    if (fd_ < 0) return;
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 && errno != EINTR) throw ErrorAbout(errno, "write", shown);
}

Descriptor OpenFolderAt(int at, const char* path, const std::string& shown, bool followLink) {
    const int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | (followLink ? 0 : O_NOFOLLOW);
    const int fd = ::openat(at, path, flags);
    if (fd < 0) {
        const int error = errno;
        struct stat st {};
        if (!followLink && ::fstatat(at, path, &st, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISLNK(st.st_mode))
            throw ErrorAbout(ELOOP, "open folder", shown, true);
        throw ErrorAbout(error == ENOTDIR ? ENOENT : error, "open folder", shown, true);
    }
    return Descriptor(fd);
}

Descriptor Duplicate(int fd) {
    Descriptor copy(::fcntl(fd, F_DUPFD_CLOEXEC, 0));
    if (copy.Get() < 0) throw ErrorAbout(errno, "open", "a folder");
    return copy;
}

Descriptor OpenFolderByPath(const std::filesystem::path& native, const std::string& shown) {
    return OpenFolderAt(AT_FDCWD, native.c_str(), shown);
}

Descriptor OpenForReading(int at, const char* path, const std::string& shown, struct stat& info,
                          bool followLink, const struct stat* expected, bool lookFirst) {
    // What is there is looked at first, so a FIFO or a device is never opened at all.
    struct stat seen {};
    if (!expected && lookFirst) {
        if (::fstatat(at, path, &seen, followLink ? 0 : AT_SYMLINK_NOFOLLOW) != 0)
            throw ErrorAbout(errno, "read", shown);
        if (!S_ISREG(seen.st_mode)) throw NotPlainError("read", shown, seen.st_mode);
        expected = &seen;
    }
    const int flags = O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | (followLink ? 0 : O_NOFOLLOW);
    Descriptor fd(::openat(at, path, flags));
    if (fd.Get() < 0) throw ErrorAbout(errno, "read", shown);
    if (::fstat(fd.Get(), &info) != 0) throw ErrorAbout(errno, "read", shown);
    if (!S_ISREG(info.st_mode)) throw NotPlainError("read", shown, info.st_mode);
    if (expected && (info.st_dev != expected->st_dev || info.st_ino != expected->st_ino))
        throw RuntimeError(kPathFileAccessError,
                           "Cannot read " + shown + ": it was replaced while it was being read");
    return fd;
}

void CopyContent(int from, int to, const std::string& fromShown, const std::string& toShown) {
    // The kernel copies between the two files where it can; otherwise through a buffer.
    for (;;) {
        const ssize_t n = ::copy_file_range(from, nullptr, to, nullptr, 1 << 30, 0);
        if (n == 0) return;
        if (n > 0) continue;
        if (errno == EINTR) continue;
        if (errno == ENOSPC || errno == EDQUOT || errno == EFBIG)
            throw ErrorAbout(errno, "write", toShown);
        if (errno == EIO) throw ErrorAbout(errno, "copy " + fromShown + " to", toShown);
        break;  // not offered between these two files: copied below
    }
    std::vector<char> buffer(1 << 17);
    for (;;) {
        const ssize_t n = ::read(from, buffer.data(), buffer.size());
        if (n == 0) return;
        if (n < 0) {
            if (errno == EINTR) continue;
            throw ErrorAbout(errno, "read", fromShown);
        }
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = ::write(to, buffer.data() + done, static_cast<size_t>(n - done));
            if (w < 0) {
                if (errno == EINTR) continue;
                throw ErrorAbout(errno, "write", toShown);
            }
            done += w;
        }
    }
}

namespace {

// Reads up to `size` bytes, fewer only at the end of the file.
std::size_t ReadFull(int fd, char* bytes, std::size_t size, const std::string& shown) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(fd, bytes + done, size - done);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            throw ErrorAbout(errno, "read", shown);
        }
        done += static_cast<std::size_t>(n);
    }
    return done;
}

}  // namespace

bool SameContent(int a, int b, const std::string& aShown, const std::string& bShown) {
    constexpr std::size_t kPiece = 1 << 17;
    thread_local const auto buffer = std::make_unique_for_overwrite<char[]>(2 * kPiece);
    char* const left = buffer.get();
    char* const right = buffer.get() + kPiece;
    for (;;) {
        const std::size_t n = ReadFull(a, left, kPiece, aShown);
        if (ReadFull(b, right, kPiece, bShown) != n || std::memcmp(left, right, n) != 0)
            return false;
        if (n < kPiece) return true;
    }
}

std::string ReadContent(int fd, const std::string& shown, std::uintmax_t most) {
    const auto tooLarge = [&] {
        return RuntimeError(kPathFileAccessError, "Cannot read " + shown + ": it is larger than " +
                                                      std::to_string(most) + " bytes");
    };
    struct stat st {};
    std::string bytes;
    if (::fstat(fd, &st) == 0 && st.st_size > 0) {
        if (static_cast<std::uintmax_t>(st.st_size) > most) throw tooLarge();
        bytes.reserve(static_cast<size_t>(st.st_size));
    }
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0) return bytes;
        if (n < 0) {
            if (errno == EINTR) continue;
            throw ErrorAbout(errno, "read", shown);
        }
        bytes.append(buffer, static_cast<size_t>(n));
        if (bytes.size() > most) throw tooLarge();  // grew while it was read
    }
}

std::optional<std::string> ReadOwnFile(const std::filesystem::path& file) {
    try {
        struct stat info {};
        const Descriptor fd = OpenForReading(AT_FDCWD, file.c_str(), file.string(), info, true);
        return ReadContent(fd.Get(), file.string());
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
}

}  // namespace movrand::platform
