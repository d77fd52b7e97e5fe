// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>

namespace movrand::platform {

// A file descriptor, closed when it goes.
class Descriptor {
  public:
    Descriptor() = default;
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(Descriptor&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    Descriptor& operator=(Descriptor&& other) noexcept;
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor();

    int Get() const { return fd_; }
    // Gives the descriptor up to the caller, who closes it.
    int Release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }
    // Closes now; raises the error of a close that fails, naming `shown` as written.
    void Close(const std::string& shown);

  private:
    int fd_ = -1;
};

// Opens a folder, relative to the folder `at`, for work inside it. A link at its last component
// is refused unless `followLink`; `shown` names it in errors.
Descriptor OpenFolderAt(int at, const char* path, const std::string& shown,
                        bool followLink = false);

// The same, by a native path: a link at its last component is refused.
Descriptor OpenFolderByPath(const std::filesystem::path& native, const std::string& shown);

// A second descriptor of the open file or folder `fd`.
Descriptor Duplicate(int fd);

// Opens a file for reading without ever blocking: only a regular file is accepted (a link at its
// last component only when `followLink`). `info` receives what was opened. When `expected` is
// given, the file opened must be that very file (the same device and number), else it was
// changed since it was looked at and the open is refused. Without `expected`, the file is looked
// at first, so that a FIFO or a device is not even opened, unless `lookFirst` is false (the
// caller has seen in its folder's listing that a regular file stands there).
Descriptor OpenForReading(int at, const char* path, const std::string& shown, struct stat& info,
                          bool followLink = false, const struct stat* expected = nullptr,
                          bool lookFirst = true);

// Copies the whole content of `from` into `to`; errors name the side that failed.
void CopyContent(int from, int to, const std::string& fromShown, const std::string& toShown);

// True when the two open files hold the same bytes (both read to their end, or to their first
// difference).
bool SameContent(int a, int b, const std::string& aShown, const std::string& bShown);

// The whole content of an open file; one larger than `most` bytes is refused, naming it.
std::string ReadContent(int fd, const std::string& shown,
                        std::uintmax_t most = std::numeric_limits<std::uintmax_t>::max());

// The whole content of one of the user's own files (the settings, a prefix's registry), a link
// followed, or nothing where no regular file can be read there. Never waits on a FIFO.
std::optional<std::string> ReadOwnFile(const std::filesystem::path& file);

}  // namespace movrand::platform
