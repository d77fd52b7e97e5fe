// SPDX-License-Identifier: GPL-3.0-or-later
#include "PowerCut.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <utility>

#include "FileSnapshot.h"
#include "TempDrive.h"
#include "platform/RuntimeError.h"

namespace movrand::test {
namespace fs = std::filesystem;

namespace {

bool Below(const std::string& path, const std::string& folder) {
    return folder.empty()
               ? !path.empty()
               : path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
                     path[folder.size()] == '/';
}

}  // namespace

PowerCut::PowerCut(fs::path root, platform::FaultPlan& plan, int at)
    : root_(std::move(root)), at_(at) {
    durable_ = Scan();
    platform::ListenToSyncs(this);
    plan.BeforeEach([this](const std::string& what) {
        if (!cut_ && ++count_ != at_) return;
        if (!cut_) step_ = what;
        cut_ = true;
        throw platform::RuntimeError(platform::kDeviceIoError, "the power went");
    });
}

PowerCut::~PowerCut() {
    platform::ListenToSyncs(nullptr);
}

PowerCut::Tree PowerCut::Scan() const {
    Tree tree;
    for (fs::recursive_directory_iterator it(root_), end; it != end; ++it) {
        struct stat st {};
        if (::lstat(it->path().c_str(), &st) != 0) continue;
        Node node;
        node.Number = st.st_ino;
        node.Mode = st.st_mode & 07777;
        if (S_ISDIR(st.st_mode)) {
            node.Type = 'd';
        } else if (S_ISLNK(st.st_mode)) {
            node.Type = 'l';
            node.Content = fs::read_symlink(it->path()).string();
        } else {
            node.Content = ReadFile(it->path());
        }
        tree[fs::relative(it->path(), root_).generic_string()] = std::move(node);
    }
    return tree;
}

void PowerCut::Synced(int fd, platform::SyncKind kind) {
    if (cut_) return;
    if (kind == platform::SyncKind::FileSystem) {
        durable_ = Scan();
        return;
    }
    const fs::path open = fs::read_symlink("/proc/self/fd/" + std::to_string(fd));
    const std::string relative = open.lexically_relative(root_).generic_string();
    if (relative.empty() || relative.rfind("..", 0) == 0) return;
    if (kind == platform::SyncKind::Folder) return SyncFolder(relative == "." ? "" : relative);
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return;
    const std::string content = ReadFile("/proc/self/fd/" + std::to_string(fd));
    synced_[st.st_ino] = content;
    for (auto& [path, node] : durable_)
        if (node.Type == 'f' && node.Number == st.st_ino) node.Content = content;
}

// The folder's entries as they are now reach the disk: an entry that stays keeps what the disk
// had of it; a new name takes the file or folder it names with what the disk has of that.
void PowerCut::SyncFolder(const std::string& folder) {
    const fs::path native = folder.empty() ? root_ : root_ / folder;
    const auto inside = [&](const std::string& name) {
        return folder.empty() ? name : folder + "/" + name;
    };
    const auto takeOut = [&](const std::string& path) {
        std::erase_if(durable_, [&](const auto& entry) {
            return entry.first == path || Below(entry.first, path);
        });
    };
    std::map<std::string, struct stat> now;
    for (const fs::directory_entry& entry : fs::directory_iterator(native)) {
        struct stat st {};
        if (::lstat(entry.path().c_str(), &st) == 0) now[entry.path().filename().string()] = st;
    }
    std::vector<std::string> gone;
    for (const auto& [path, node] : durable_)
        if (Below(path, folder) &&
            path.find('/', folder.empty() ? 0 : folder.size() + 1) == std::string::npos) {
            const std::string name = path.substr(folder.empty() ? 0 : folder.size() + 1);
            const auto there = now.find(name);
            if (there == now.end() || there->second.st_ino != node.Number) gone.push_back(path);
        }
    for (const std::string& path : gone) takeOut(path);
    for (const auto& [name, st] : now) {
        const std::string path = inside(name);
        if (durable_.count(path)) continue;
        Node node;
        node.Number = st.st_ino;
        node.Mode = st.st_mode & 07777;
        if (S_ISDIR(st.st_mode))
            node.Type = 'd';  // a new folder: its entries come with its sync
        else if (S_ISLNK(st.st_mode)) {
            node.Type = 'l';
            node.Content = fs::read_symlink(native / name).string();
        } else if (const auto content = synced_.find(st.st_ino); content != synced_.end()) {
            node.Content = content->second;
        } else {
            for (const auto& [p, n] : durable_)
                if (n.Type == 'f' && n.Number == st.st_ino) node.Content = n.Content;
        }
        durable_[path] = node;
    }
}

void PowerCut::Restore() const {
    // A folder whose entry reached the disk keeps its number, as on a real disk (a move told of
    // before it was made is known by it); everything else is made anew.
    for (const auto& [path, node] : Scan()) {
        const fs::path native = root_ / path;
        const auto durable = durable_.find(path);
        const bool same = node.Type == 'd' && durable != durable_.end() &&
                          durable->second.Type == 'd' && durable->second.Number == node.Number;
        if (!same && fs::exists(fs::symlink_status(native))) RemoveTree(native);
    }
    for (const auto& [path, node] : durable_) {
        const fs::path native = root_ / path;
        if (!fs::is_directory(native.parent_path())) continue;  // its folder never reached the disk
        if (node.Type == 'd') {
            if (!fs::is_directory(fs::symlink_status(native))) fs::create_directory(native);
        } else if (node.Type == 'l') {
            fs::create_symlink(node.Content, native);
        } else {
            std::ofstream(native, std::ios::binary) << node.Content;
        }
    }
    for (auto it = durable_.rbegin(); it != durable_.rend(); ++it)
        if (it->second.Type != 'l' && fs::exists(root_ / it->first))
            fs::permissions(root_ / it->first, static_cast<fs::perms>(it->second.Mode));
}

std::string PowerCut::Unsynced() const {
    const auto described = [](const Tree& tree) {
        std::map<std::string, std::string> text;
        for (const auto& [path, node] : tree) text[path] = node.Type + node.Content;
        return text;
    };
    return Differences(described(Scan()), described(durable_));
}

}  // namespace movrand::test
