// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SmallFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/FileHandles.h"
#include "platform/RuntimeError.h"

namespace movrand::platform {

std::optional<std::string> ReadSmallFile(const std::filesystem::path& file, std::size_t most) {
    try {
        struct stat info {};
        const Descriptor fd = OpenForReading(AT_FDCWD, file.c_str(), file.string(), info, true);
        if (static_cast<std::uintmax_t>(info.st_size) > most) return std::nullopt;
        std::string text;
        char buffer[16384];
        while (text.size() <= most) {
            const ssize_t got = ::read(fd.Get(), buffer, sizeof buffer);
            if (got < 0 && errno == EINTR) continue;
            if (got < 0) return std::nullopt;
            if (got == 0) return text;
            text.append(buffer, static_cast<std::size_t>(got));
        }
        return std::nullopt;
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
}

}  // namespace movrand::platform
