// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PutBackGroup.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <set>

#include "platform/DiskSync.h"
#include "platform/FileHandles.h"
#include "platform/FileKeeping.h"
#include "platform/FileSystemErrors.h"
#include "platform/RuntimeError.h"
#include "platform/WholeFileReplace.h"

namespace movrand::platform {

PutBackGroup::~PutBackGroup() {
    for (const Written& w : written_)
        if (!w.Temporary.empty()) ::unlinkat(w.Folder, w.Temporary.c_str(), 0);
}

void PutBackGroup::Write(const File& file) {
    // The kept copy was looked at when the work was planned: it is opened without a look first
    // (still no link followed, and only a regular file read).
    struct stat info {};
    const int keptAt = file.KeptFolder < 0 ? AT_FDCWD : file.KeptFolder;
    const std::string keptName =
        file.KeptFolder < 0 ? file.Kept.string() : file.Kept.filename().string();
    const Descriptor in =
        OpenForReading(keptAt, keptName.c_str(), file.Kept.string(), info, false, nullptr, false);
    std::string temporary = TemporaryName();
    Descriptor out(::openat(file.Folder, temporary.c_str(),
                            O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (out.Get() < 0) throw ErrorAbout(errno, "write", file.Shown);
    written_.push_back(
        {file.Folder, std::move(temporary), file.Target.filename().string(), file.Shown});
    // Every file made in a folder gets the same group (this user's, or the folder's own where it
    // hands it down): it is looked at once per folder, and changed only where it differs.
    auto made = madeGroups_.find(file.Folder);
    if (made == madeGroups_.end()) {
        struct stat st {};
        if (::fstat(out.Get(), &st) != 0) throw ErrorAbout(errno, "write", file.Shown);
        made = madeGroups_.emplace(file.Folder, st.st_gid).first;
    }
    if (file.Replaces && file.Group != made->second &&
        ::fchown(out.Get(), static_cast<uid_t>(-1), file.Group) != 0) {
        // not a member of that group: the file keeps this user's
    }
    // Checked as it is copied (one read): a copy that does not match is never renamed.
    if (CopyFingerprinted(in.Get(), out.Get(), file.Kept.string(), file.Shown,
                          static_cast<std::uint64_t>(info.st_size)) != file.Hash)
        throw RuntimeError(kPathFileAccessError, "The history's copy " + file.Kept.string() +
                                                     " of " + file.Shown +
                                                     " does not hold what the history recorded");
    // The permissions come back as recorded, not as whoever changed them since left them.
    const struct timespec times[2] = {{0, UTIME_OMIT},
                                      {static_cast<time_t>(file.ModifiedNs / 1000000000),
                                       static_cast<long>(file.ModifiedNs % 1000000000)}};
    if (::fchmod(out.Get(), file.Mode & 07777) != 0 || ::futimens(out.Get(), times) != 0)
        throw ErrorAbout(errno, "write", file.Shown);
    out.Close(file.Shown);
}

void PutBackGroup::Finish() {
    std::set<int> folders;
    for (const Written& w : written_) folders.insert(w.Folder);
    // One wait for the disk per file system, however many files: the content is there before
    // any name points to it.
    std::set<dev_t> devices;
    for (const int folder : folders) {
        struct stat st {};
        if (::fstat(folder, &st) != 0) throw ErrorAbout(errno, "write", written_.front().Shown);
        if (!devices.insert(st.st_dev).second) continue;
        if (const int error = SyncToDisk(folder, SyncKind::FileSystem))
            throw SyncFailure(error, written_.front().Shown);
    }
    for (Written& w : written_) {
        if (::renameat(w.Folder, w.Temporary.c_str(), w.Folder, w.Name.c_str()) != 0)
            throw ErrorAbout(errno, "write", w.Shown);
        w.Temporary.clear();
    }
    // The new files stand: a folder that cannot be synced (a failing disk) would not undo the
    // renames, and the work's own sync before it is counted done reports it.
    for (const int folder : folders) SyncToDisk(folder, SyncKind::Folder);
    written_.clear();
}

}  // namespace movrand::platform
