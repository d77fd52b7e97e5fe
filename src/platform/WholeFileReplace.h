// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <sys/types.h>

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace movrand::platform {

// The one way the program replaces a file whole: the new content is written under a temporary
// name beside the file, synced to the disk, renamed over the file, and the folder synced, so
// after a failure, a kill or a power cut the file is either the old one or the new one. Every
// failure up to the rename removes the temporary and raises the platform's error; the file is
// then untouched. Once renamed, the new file stands: a folder sync that fails is not reported.

// The steps of a replace, in their order.
enum class ReplaceStep { Create, Write, Sync, Rename, SyncFolder };

// What a replace needs beyond the target and its content.
struct ReplaceOptions {
    // Permissions of the new file (before the umask) where no file is replaced.
    mode_t Mode = 0666;
    // The new file takes the permissions of the regular file it replaces, and its group where
    // the writer may give it (a roster the users of a shared installation may all write stays
    // so). Off for a copy, which carries its source's own.
    bool KeepReplacedMode = true;
    // Test hook: hears of each step before it runs and may raise to fail it.
    std::function<void(ReplaceStep)> BeforeStep;
    // The file as the user knows it ("C:\...\fer.3do"), named in the error of a failing step;
    // empty: the platform's bare error.
    std::string Shown;
    // Off only for a file that merely saves time and is checked whole when read (a cache): it is
    // still the old or the new one after a kill, but a power cut may leave it damaged.
    bool Synced = true;
};

// Replaces `target` (a native path) with a file that `write` fills through its descriptor.
void ReplaceFileWhole(const std::filesystem::path& target, const std::function<void(int fd)>& write,
                      const ReplaceOptions& options = {});
// The same, for the entry `name` of an open folder (no link is followed at `name`).
void ReplaceFileWholeAt(int folder, const std::string& name,
                        const std::function<void(int fd)>& write,
                        const ReplaceOptions& options = {});
// Replaces `target` with exactly these bytes.
void ReplaceFileWithBytes(const std::filesystem::path& target, std::string_view bytes,
                          const ReplaceOptions& options = {});
// Replaces `target` with a copy of the regular file `source`; the copy keeps its modification
// time and its permissions.
void ReplaceFileWithCopy(const std::filesystem::path& source, const std::filesystem::path& target,
                         ReplaceOptions options = {});

// Writes all the bytes to a descriptor; raises the platform's error when the disk refuses.
void WriteAllBytes(int fd, std::string_view bytes);
// Syncs a folder, so that a rename inside it outlasts a power cut.
void SyncFolder(const std::filesystem::path& folder);

// Syncs the folders that held and now hold an entry renamed from `from` to `to`, so that a
// rename which commits a swap or an unpack outlasts a power cut. The rename has happened, so a
// failing sync is not reported.
void SyncAfterRename(const std::filesystem::path& from, const std::filesystem::path& to) noexcept;

// The program's one scheme of temporary names: ".movrand-" + process + "-" + count + ".tmp".
std::string TemporaryName();
// True when `name` follows that scheme; `process` receives the process that made it.
bool IsOwnTemporary(const std::string& name, long* process = nullptr);
using NativePath = std::filesystem::path;
// Removes from each folder (not below it) the temporaries of the scheme that runs which are no
// longer running left behind: made by another process that has ended, before this call. Links and
// anything that is not a regular file are left alone. Returns the number removed.
int SweepOwnTemporaries(const std::vector<NativePath>& folders);

}  // namespace movrand::platform
