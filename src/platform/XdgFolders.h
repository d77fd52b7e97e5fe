// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <filesystem>

namespace movrand::platform {

// The base folder an XDG variable names ("XDG_CONFIG_HOME", "XDG_DATA_HOME"), or `belowHome`
// inside $HOME when it is unset, empty or relative: the XDG rules say a relative value is to be
// ignored.
std::filesystem::path XdgFolder(const char* variable, const std::filesystem::path& belowHome);

}  // namespace movrand::platform
