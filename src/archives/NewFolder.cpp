// SPDX-License-Identifier: GPL-3.0-or-later
#include "archives/NewFolder.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <system_error>

#include "platform/FaultPlan.h"
#include "platform/FileSystemErrors.h"

namespace movrand::archives {

namespace {

[[noreturn]] void Fail(int error, bool folder) {
    throw platform::ErrorFromCode(std::error_code(error, std::system_category()), folder);
}

std::string Joined(const std::vector<std::string>& parts, std::size_t count) {
    std::string path;
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0) path += '/';
        path += parts[i];
    }
    return path;
}

int OpenFolderAt(int parentFd, const std::string& name) {
    return ::openat(parentFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

}  // namespace

void RemoveTreeAt(int parentFd, const std::string& name) {
    if (::unlinkat(parentFd, name.c_str(), 0) == 0) return;  // a file (or a link: not followed)
    const int fd = OpenFolderAt(parentFd, name);
    if (fd < 0) return;
    if (DIR* dir = ::fdopendir(fd)) {
        std::vector<std::string> names;
        while (const dirent* item = ::readdir(dir)) {
            const std::string child = item->d_name;
            if (child != "." && child != "..") names.push_back(child);
        }
        for (const std::string& child : names) RemoveTreeAt(::dirfd(dir), child);
        ::closedir(dir);
    } else {
        ::close(fd);
    }
    ::unlinkat(parentFd, name.c_str(), AT_REMOVEDIR);
}

void RemoveAbandonedFolders(const std::string& parent, const std::string& suffix) {
    const int parentFd = ::open(parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (parentFd < 0) return;
    std::vector<std::string> names;
    if (DIR* dir = ::fdopendir(::dup(parentFd))) {
        while (const dirent* item = ::readdir(dir)) {
            const std::string name = item->d_name;
            if (name.size() > suffix.size() && name.ends_with(suffix)) names.push_back(name);
        }
        ::closedir(dir);
    }
    const std::time_t aMinuteAgo = std::time(nullptr) - 60;
    for (const std::string& name : names) {
        const int fd = OpenFolderAt(parentFd, name);
        if (fd < 0) continue;  // a file or a link of that name is not the program's
        struct stat info;
        // Held by a run that fills it, or changed lately: not abandoned.
        if (::fstat(fd, &info) == 0 && info.st_mtime < aMinuteAgo &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            RemoveTreeAt(parentFd, name);
        ::close(fd);
    }
    ::close(parentFd);
}

NewFolder::NewFolder(const std::string& parent, const std::string& name,
                     platform::FaultPlan* faults)
    : parent_(parent), name_(name), faults_(faults) {
    parentFd_ = ::open(parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (parentFd_ < 0) Fail(errno, true);
    if (faults_) faults_->Check("create folder " + parent + "/" + name);
    if (::mkdirat(parentFd_, name.c_str(), 0755) != 0) {
        const int error = errno;
        ::close(parentFd_);
        Fail(error, true);
    }
    rootFd_ = OpenFolderAt(parentFd_, name);
    if (rootFd_ < 0) {
        const int error = errno;
        ::close(parentFd_);
        Fail(error, true);
    }
    ::flock(rootFd_, LOCK_EX | LOCK_NB);  // where folders cannot be locked, none is swept early
}

NewFolder::~NewFolder() {
    for (const auto& [path, fd] : folders_) ::close(fd);
    if (rootFd_ >= 0) ::close(rootFd_);
    if (!kept_ && parentFd_ >= 0) RemoveTreeAt(parentFd_, name_);
    if (parentFd_ >= 0) ::close(parentFd_);
}

void NewFolder::Step(const std::string& what, const std::vector<std::string>& parts) {
    if (faults_)
        faults_->Check(what + " " + parent_ + "/" + name_ + "/" + Joined(parts, parts.size()));
}

int NewFolder::FolderAt(const std::vector<std::string>& parts, std::size_t count) {
    if (count == 0) return rootFd_;
    const std::string path = Joined(parts, count);
    if (const auto open = folders_.find(path); open != folders_.end()) return open->second;
    const int parentFd = FolderAt(parts, count - 1);
    if (folders_.size() >= 256) {  // keep few descriptors open in an archive of many folders
        for (const auto& [p, fd] : folders_)
            if (fd != parentFd) ::close(fd);
        std::erase_if(folders_, [&](const auto& item) { return item.second != parentFd; });
    }
    int fd = OpenFolderAt(parentFd, parts[count - 1]);
    if (fd < 0 && errno == ENOENT) {
        Step("create folder", {parts.begin(), parts.begin() + static_cast<long>(count)});
        if (::mkdirat(parentFd, parts[count - 1].c_str(), 0755) != 0) Fail(errno, true);
        fd = OpenFolderAt(parentFd, parts[count - 1]);
    }
    if (fd < 0) Fail(errno, true);
    folders_.emplace(path, fd);
    return fd;
}

void NewFolder::MakeFolder(const std::vector<std::string>& parts) {
    FolderAt(parts, parts.size());
}

int NewFolder::CreateFile(const std::vector<std::string>& parts) {
    const int parentFd = FolderAt(parts, parts.size() - 1);
    Step("create file", parts);
    const int fd = ::openat(parentFd, parts.back().c_str(),
                            O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) Fail(errno, false);
    return fd;
}

void NewFolder::Write(int fd, const void* data, std::size_t size, std::int64_t offset, bool first) {
    if (first && faults_) faults_->Check("write " + parent_ + "/" + name_);
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t written = ::pwrite(fd, bytes, size, offset);
        if (written < 0) {
            if (errno == EINTR) continue;
            Fail(errno, false);
        }
        bytes += written, size -= static_cast<std::size_t>(written), offset += written;
    }
}

void NewFolder::CloseFile(int fd, std::int64_t modifiedTime) {
    if (modifiedTime > 0) {
        const timespec times[2] = {{0, UTIME_OMIT}, {static_cast<time_t>(modifiedTime), 0}};
        ::futimens(fd, times);
    }
    if (::close(fd) != 0) Fail(errno, false);
}

bool NewFolder::SyncAndRenameTo(const std::string& finalName) {
    if (faults_) faults_->Check("sync " + parent_ + "/" + name_);
    if (::syncfs(rootFd_) != 0) Fail(errno, true);
    if (faults_) faults_->Check("rename " + parent_ + "/" + name_ + " to " + finalName);
    if (::renameat2(parentFd_, name_.c_str(), parentFd_, finalName.c_str(), RENAME_NOREPLACE) !=
        0) {
        if (errno == EEXIST) return false;
        if (errno != EINVAL) Fail(errno, true);
        // A file system without "no replace": look, then rename.
        struct stat existing;
        if (::fstatat(parentFd_, finalName.c_str(), &existing, AT_SYMLINK_NOFOLLOW) == 0)
            return false;
        if (::renameat(parentFd_, name_.c_str(), parentFd_, finalName.c_str()) != 0)
            Fail(errno, true);
    }
    name_ = finalName;
    kept_ = true;
    ::fsync(parentFd_);
    return true;
}

}  // namespace movrand::archives
