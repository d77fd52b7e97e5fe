// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ContentHash.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>

#include "platform/FileSystemErrors.h"

namespace movrand::platform {

std::string ContentHashOf(const std::filesystem::path& native, bool followLink) {
    const int fd =
        ::open(native.c_str(), O_RDONLY | (followLink ? 0 : O_NOFOLLOW) | O_NONBLOCK | O_CLOEXEC);
    const auto fail = [&](int error) {
        if (fd >= 0) ::close(fd);
        throw ErrorFromCode(
            std::error_code(error == ELOOP ? EACCES : error, std::generic_category()), false);
    };
    if (fd < 0) fail(errno);
    struct stat st {};
    if (::fstat(fd, &st) != 0) fail(errno);
    if (!S_ISREG(st.st_mode)) fail(EACCES);
    std::uint64_t hash = 14695981039346656037ull;
    unsigned char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            fail(errno);
        }
        for (ssize_t i = 0; i < n; ++i) {
            hash ^= buffer[i];
            hash *= 1099511628211ull;
        }
    }
    ::close(fd);
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

}  // namespace movrand::platform
