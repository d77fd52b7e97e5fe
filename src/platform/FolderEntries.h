// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <dirent.h>

#include <cerrno>

namespace movrand::platform {

// Hands `each` every entry of the open folder `dir` as it is read, "." and ".." left out.
// Returns 0 once every entry was read, else the error that stopped the reading.
template <typename Each>
int ForEachEntry(DIR* dir, Each each) {
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(dir);
        if (!entry) return errno;
        const char* const raw = entry->d_name;
        if (raw[0] == '.' && (raw[1] == '\0' || (raw[1] == '.' && raw[2] == '\0'))) continue;
        each(*entry);
    }
}

}  // namespace movrand::platform
