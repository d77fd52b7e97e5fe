// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FolderWalk.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace movrand::platform {

namespace fs = std::filesystem;

namespace {

std::int64_t Nanoseconds(const struct statx_timestamp& t) {
    return static_cast<std::int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

}  // namespace

std::vector<WalkedEntry> WalkFolder(const fs::path& folder) {
    std::vector<WalkedEntry> entries;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        struct statx st {};
        if (::statx(AT_FDCWD, it->path().c_str(), AT_SYMLINK_NOFOLLOW,
                    STATX_TYPE | STATX_MTIME | STATX_CTIME | STATX_BTIME, &st) != 0)
            continue;
        WalkedEntry entry;
        for (const fs::path& part : it->path().lexically_relative(folder))
            entry.Name += (entry.Name.empty() ? "" : "\\") + part.string();
        entry.Folder = S_ISDIR(st.stx_mode);
        entry.ModifiedNs = Nanoseconds(st.stx_mtime);
        entry.ChangedNs = Nanoseconds(st.stx_ctime);
        if (st.stx_mask & STATX_BTIME) entry.BornNs = Nanoseconds(st.stx_btime);
        entries.push_back(std::move(entry));
    }
    return entries;
}

}  // namespace movrand::platform
