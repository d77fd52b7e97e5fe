// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FolderHunt.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <algorithm>
#include <deque>
#include <fstream>
#include <set>
#include <sstream>

namespace movrand::platform {
namespace fs = std::filesystem;

namespace {

// File systems that may wait on a network or a mount daemon: none of them is walked.
bool NetworkType(const std::string& type) {
    static const std::set<std::string> network = {
        "nfs",  "nfs4",      "cifs",   "smb3",  "smbfs", "autofs", "9p",    "afs",
        "ceph", "glusterfs", "lustre", "ncpfs", "coda",  "davfs",  "sshfs", "fuse"};
    // FUSE file systems other than those over a block device (ntfs-3g) run a daemon that may be
    // anywhere: sshfs, rclone, gvfs.
    return network.count(type) != 0 || type.starts_with("fuse.");
}

bool NetworkMagic(long magic) {
    switch (static_cast<unsigned long>(magic)) {
        case 0x6969:      // NFS
        case 0x517B:      // SMB
        case 0xFF534D42:  // CIFS
        case 0xFE534D42:  // SMB2
        case 0x0187:      // autofs
        case 0x01021997:  // 9p
        case 0x5346414F:  // AFS
        case 0x00C36400:  // Ceph
        case 0x564C:      // NCP
            return true;
        default:
            return false;
    }
}

// A mount table's field, its octal escapes ("\040" for a blank) undone.
std::string Unescaped(const std::string& field) {
    std::string text;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const std::string digits = field.substr(i + 1, 3);
            if (digits.find_first_not_of("01234567") == std::string::npos) {
                text += static_cast<char>(std::stoi(digits, nullptr, 8));
                i += 3;
                continue;
            }
        }
        text += field[i];
    }
    return text;
}

bool Under(const std::string& path, const std::string& folder) {
    return path == folder ||
           (path.starts_with(folder) && (folder == "/" || path[folder.size()] == '/'));
}

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

struct Listing {
    std::vector<std::string> Folders;
    std::set<std::string> Files;  // lower case
};

// The entries of an open folder: its folders (links and other kinds left out) and its files.
Listing List(int fd) {
    Listing listing;
    DIR* dir = ::fdopendir(fd);
    if (!dir) {
        ::close(fd);
        return listing;
    }
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        unsigned char type = entry->d_type;
        if (type == DT_UNKNOWN) {
            struct stat st {};
            if (::fstatat(::dirfd(dir), entry->d_name, &st,
                          AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT) != 0)
                continue;
            type = S_ISDIR(st.st_mode) ? DT_DIR : S_ISREG(st.st_mode) ? DT_REG : DT_LNK;
        }
        if (type == DT_DIR)
            listing.Folders.push_back(name);
        else if (type == DT_REG || type == DT_LNK)
            listing.Files.insert(Lower(name));
    }
    ::closedir(dir);
    std::sort(listing.Folders.begin(), listing.Folders.end());
    return listing;
}

}  // namespace

FolderHunt::FolderHunt(std::size_t mostFolders) : foldersLeft_(mostFolders) {
    std::ifstream table("/proc/self/mountinfo");
    for (std::string line; std::getline(table, line);) {
        std::istringstream fields(line);
        std::string id, parent, device, root, point, field;
        fields >> id >> parent >> device >> root >> point;
        while (fields >> field && field != "-") {
        }
        std::string type;
        fields >> type;
        if (!point.empty()) mounts_[Unescaped(point)] = type;
    }
}

bool FolderHunt::MayWalk(const fs::path& root) const {
    std::error_code ec;
    const std::string path = fs::weakly_canonical(root, ec).string();
    if (ec || path.empty()) return false;
    for (const char* special : {"/proc", "/sys", "/dev"})
        if (Under(path, special)) return false;
    // The file system the root lies on: the longest mount point above it.
    std::string type, point;
    for (const auto& [mount, mountType] : mounts_)
        if (Under(path, mount) && mount.size() >= point.size()) {
            point = mount;
            type = mountType;
        }
    if (NetworkType(type)) return false;
    struct statfs info {};
    return ::statfs(path.c_str(), &info) == 0 && !NetworkMagic(info.f_type);
}

std::vector<std::string> FolderHunt::FoldersHolding(const fs::path& root,
                                                    const std::vector<std::string>& files,
                                                    const std::string& skipAtTop,
                                                    const HuntBounds& bounds) {
    std::vector<std::string> found;
    if (!MayWalk(root)) return found;
    std::error_code ec;
    const std::string top = fs::weakly_canonical(root, ec).string();
    const int rootFd = ::open(top.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NONBLOCK);
    if (rootFd < 0) return found;
    struct stat rootInfo {};
    if (::fstat(rootFd, &rootInfo) != 0) {
        ::close(rootFd);
        return found;
    }
    struct Pending {
        std::string Relative;  // "\" between names
        std::string Native;
        int Depth;
    };
    std::deque<Pending> queue;
    const std::size_t most = std::min(bounds.MostFolders, foldersLeft_);
    if (most == 0) return found;
    std::size_t listed = 0;
    int fd = rootFd;
    Pending current{"", top == "/" ? "" : top, 0};
    for (;;) {
        ++listed;
        const Listing listing = List(fd);
        if (std::all_of(files.begin(), files.end(),
                        [&](const std::string& f) { return listing.Files.count(f) != 0; }))
            found.push_back(current.Relative);
        if (current.Depth < bounds.Depth)
            for (const std::string& name : listing.Folders) {
                if (current.Depth == 0 && Lower(name) == skipAtTop) continue;
                const std::string native = current.Native + "/" + name;
                // Another file system mounted here is not looked at: it may hang or be anywhere.
                if (mounts_.count(native) != 0) continue;
                queue.push_back({current.Relative.empty() ? name : current.Relative + "\\" + name,
                                 native, current.Depth + 1});
            }
        fd = -1;
        while (fd < 0 && !queue.empty() && listed < most) {
            current = std::move(queue.front());
            queue.pop_front();
            fd = ::open(current.Native.c_str(),
                        O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
            struct stat info {};
            if (fd >= 0 && (::fstat(fd, &info) != 0 || info.st_dev != rootInfo.st_dev)) {
                ::close(fd);
                fd = -1;
            }
        }
        if (fd < 0) break;
    }
    foldersLeft_ -= listed;
    return found;
}

}  // namespace movrand::platform
