// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

namespace movrand::platform {

// The whole content of a launcher's small file (a game file, a settings file), a link followed,
// or nothing where no regular file can be read there or it holds more than `most` bytes. Never
// waits on a FIFO or a device and never reads more than `most` + 1 bytes, whatever the file
// claims or grows to while it is read.
std::optional<std::string> ReadSmallFile(const std::filesystem::path& file, std::size_t most);

}  // namespace movrand::platform
