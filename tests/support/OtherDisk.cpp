// SPDX-License-Identifier: GPL-3.0-or-later
#include "OtherDisk.h"

#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace movrand::test {

OtherDisk::OtherDisk(std::uintmax_t bytes) {
    std::string folder = (std::filesystem::temp_directory_path() / "movrand-disk-XXXXXX").string();
    const std::string options = "size=" + std::to_string(bytes) + ",mode=0755";
    if (::mkdtemp(folder.data()) &&
        ::mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) == 0) {
        folder_ = folder;
        return;
    }
    why_ = std::string("no second file system: a tmpfs could not be mounted (") +
           std::strerror(errno) + "; it takes root)";
    ::rmdir(folder.c_str());
}

OtherDisk::~OtherDisk() {
    if (folder_.empty()) return;
    ::umount2(folder_.c_str(), MNT_DETACH);
    ::rmdir(folder_.c_str());
}

}  // namespace movrand::test
