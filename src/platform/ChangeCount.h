// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>

namespace movrand::platform {

// How many changes the file system service has started in this process, so that a reader that
// keeps what it read can tell that it may no longer hold.
std::uint64_t FileSystemChanges();

}  // namespace movrand::platform
