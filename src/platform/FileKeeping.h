// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ChangeWatch.h"
#include "platform/FileHandles.h"

namespace movrand::platform {

// What stands at a native path, links not followed.
struct FileFacts {
    enum class Type { None, File, Folder, Other };
    Type Kind = Type::None;
    std::uint64_t Size = 0;
    unsigned Mode = 0;            // permission bits
    std::int64_t ModifiedNs = 0;  // modification time, nanoseconds since the epoch
    std::int64_t ChangedNs = 0;   // last change of content, name or permissions (no one sets it)
    std::uint64_t Number = 0;     // the inode: the same while it is renamed on its file system
    std::uint64_t Device = 0;
    unsigned Group = 0;        // the owning group
    std::uint64_t Blocks = 0;  // the disk space it takes, in blocks of 512 bytes
};

// True when a change time `changedNs` lies in a tick of the system's clock that has passed: any
// later change of the file shows another. (A change in the tick it was taken in may show the
// same time, so a file looked at that early is not known by its look.)
bool ChangeTimeSettled(std::int64_t changedNs);

// `folder`, when given, is the open folder that holds the last component of `native`: the entry
// is looked at there by its name (as for the two below).
FileFacts FactsOf(const std::filesystem::path& native, int folder = -1);

// A fingerprint of a regular file's content (XXH3, 128 bits, as 32 hexadecimal digits), read
// without following a link at the file. Raises the platform's error when it cannot be read.
// `looked`: the caller has just seen a regular file there (the file is not looked at again
// before it is opened; what is opened is still checked to be a regular file).
std::string FastHashOf(const std::filesystem::path& native, bool looked = false, int folder = -1);
// The same for a file held open, read from where it stands to its end. `size`, when known (the
// file's size as the open file told it), spares the read that would only find the end: a read
// that falls short just where it ends is taken as the end.
std::string FastHashOfOpen(int fd, const std::string& shown,
                           std::uint64_t size = std::numeric_limits<std::uint64_t>::max());
// The same for bytes in memory.
std::string FastHashOfBytes(std::string_view bytes);
// Copies the whole content of the open file `from` into `to` through a buffer and returns the
// fingerprint of the bytes written (as FastHashOf gives it); errors name the side that failed.
// `size`, when known, spares the read that would only find the end (as for FastHashOfOpen).
std::string CopyFingerprinted(int from, int to, const std::string& fromShown,
                              const std::string& toShown,
                              std::uint64_t size = std::numeric_limits<std::uint64_t>::max());

// True while the file at `file.Path` (links not followed) is the very file that was written,
// untouched since: the same inode, size, permissions and times. Writing to a file, renaming it
// or changing its permissions moves its change time, which no one can set.
bool StillAsWritten(const WrittenFile& file, int folder = -1);

// How KeepFile kept a file.
enum class KeptAs {
    AlreadyKept,  // `kept` existed already: nothing was added
    Link,         // a second name of the file itself: the same bytes and disk space
    Copy,
};

// Keeps the content of the regular file `file` at `kept` (a folder beside it must exist): a
// hard link to the same bytes where the two lie on one file system and `copy` is false (files
// are replaced whole, never rewritten, so the linked bytes stay as they are), else a synced
// copy. Nothing is done when `kept` exists already (the same content, kept by its fingerprint).
// `keptFolder`, when given, is `kept`'s folder held open, so that its path is not walked again
// for each file.
KeptAs KeepFile(const std::filesystem::path& file, const std::filesystem::path& kept, bool copy,
                int keptFolder = -1, int folder = -1);

// What the regular file at `native` (looked at by its name in `folder` where given) looks like
// now, as a file just written with the bytes of `hash`; nullopt when no regular file stands there.
std::optional<WrittenFile> WrittenFileAt(const std::filesystem::path& native,
                                         const std::string& hash, int folder = -1);

// Makes the folder `name` in the open folder `parent` unless a folder stands there already, and
// opens it; raises, naming `shown`, when anything else stands there, a link to a folder included.
Descriptor MakeFolderAt(int parent, const std::string& name, const std::string& shown);

// Lets go of a kept copy that no step needs (one KeepFile added).
void DropKeptFile(const std::filesystem::path& kept);

// Gives a file or folder its permission bits (links left alone); `folder` as for FactsOf.
void SetMode(const std::filesystem::path& native, unsigned mode, int folder = -1);

// Appends a line to a file and syncs it (the file is made when missing).
void AppendLineSynced(const std::filesystem::path& native, const std::string& line);

// The disk space the files under a folder take (their allocated blocks, a file linked under
// several names counted once, links not followed), 0 when there is none.
std::uint64_t DiskSpaceUnder(const std::filesystem::path& folder);

// Every regular file under a folder, as paths relative to it (no links followed).
std::vector<std::string> FilesUnder(const std::filesystem::path& folder);

}  // namespace movrand::platform
