// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DiskSync.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <set>
#include <utility>

#include "platform/FileSystemErrors.h"

namespace movrand::platform {

namespace {

SyncListener*& Listener() {
    static SyncListener* listener = nullptr;
    return listener;
}

WriteAheadRecord*& First() {
    static WriteAheadRecord* record = nullptr;
    return record;
}

// The file of the write-ahead record whose sync made the last sync fail; "" when it did not.
std::string& FailedRecord() {
    static std::string shown;
    return shown;
}

// Up to this many files and folders are synced one by one; beyond it one syncfs is cheaper than
// a wait for the disk's journal per file.
constexpr std::size_t kFewSyncs = 16;

}  // namespace

int SyncToDisk(int fd, SyncKind kind) {
    // The record's own syncs go straight to the disk.
    if (WriteAheadRecord* record = std::exchange(First(), nullptr)) {
        struct Back {
            WriteAheadRecord* record;
            ~Back() { First() = record; }
        } back{record};
        if (const int error = record->SyncFirst()) {
            FailedRecord() = record->Shown();
            return error;
        }
    }
    FailedRecord().clear();
    const int result = kind == SyncKind::FileSystem ? ::syncfs(fd) : ::fsync(fd);
    if (result != 0 && errno != EINVAL) return errno;
    if (SyncListener* listener = Listener()) listener->Synced(fd, kind);
    return 0;
}

void RaiseIfRecordFailed(int error) {
    if (!FailedRecord().empty()) throw ErrorAbout(error, "sync", FailedRecord());
}

RuntimeError SyncFailure(int error, const std::string& shown, bool isFolder) {
    RaiseIfRecordFailed(error);
    return ErrorAbout(error, "write", shown, isFolder);
}

void ListenToSyncs(SyncListener* listener) {
    Listener() = listener;
}

WriteAheadRecord* SyncFirstEachTime(WriteAheadRecord* record) {
    return std::exchange(First(), record);
}

void TouchedFiles::Add(int folder, std::vector<std::string> names) {
    struct stat st {};
    if (::fstat(folder, &st) != 0) return;
    Folder* entry = nullptr;
    for (Folder& known : folders_)
        if (known.Device == st.st_dev && known.Number == st.st_ino) entry = &known;
    if (!entry) {
        Descriptor fd(::fcntl(folder, F_DUPFD_CLOEXEC, 0));
        if (fd.Get() < 0) return;
        folders_.push_back({std::move(fd), st.st_dev, st.st_ino, {}});
        entry = &folders_.back();
    }
    if (entry->Files.empty())
        entry->Files = std::move(names);
    else
        entry->Files.insert(entry->Files.end(), names.begin(), names.end());
}

void TouchedFiles::Sync(const std::string& shown) {
    std::vector<Folder> folders = std::exchange(folders_, {});
    std::size_t count = folders.size();
    for (const Folder& folder : folders) count += folder.Files.size();
    const auto fail = [&](int error) { throw SyncFailure(error, shown, true); };
    if (count > kFewSyncs) {
        std::set<dev_t> synced;
        for (const Folder& folder : folders)
            if (synced.insert(folder.Device).second)
                if (const int error = SyncToDisk(folder.Fd.Get(), SyncKind::FileSystem))
                    fail(error);
        return;
    }
    for (const Folder& folder : folders)
        for (const std::string& name : folder.Files) {
            Descriptor file(::openat(folder.Fd.Get(), name.c_str(),
                                     O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
            if (file.Get() < 0 && errno == ENOENT) continue;  // deleted again by the same work
            const int error = file.Get() < 0 ? SyncToDisk(folder.Fd.Get(), SyncKind::FileSystem)
                                             : SyncToDisk(file.Get(), SyncKind::File);
            if (error) fail(error);
        }
    for (const Folder& folder : folders)
        if (const int error = SyncToDisk(folder.Fd.Get(), SyncKind::Folder)) fail(error);
}

}  // namespace movrand::platform
