// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace movrand::archives {

// Why an archive is not unpacked.
enum class RefusalReason {
    None,
    Unreadable,      // not an archive of a known kind, truncated or damaged
    LeavesFolder,    // an entry's name leads out of the new folder
    Link,            // a symbolic or hard link
    Special,         // a device, a pipe or a socket
    NotWindowsName,  // a name Windows cannot hold
    BadEncoding,     // a name whose bytes are not valid in the character set it is stored in
    PathTooLong,     // a path or name too long for Windows programs to open
    CaseClash,       // two names that differ only in letter case, or one name twice
    Encrypted,       // password-protected
    TooLarge,        // more than the free space or than 100 times the archive
};

// What an unpack may write: the bytes free for this user where the folder is made, and 100
// times the archive. Each entry counts its bytes and a share for what it takes beside them: a
// block on the disk, and for its name and times in the 100 times.
struct ContentLimits {
    static constexpr std::uint64_t kBlock = 4096;
    static constexpr std::uint64_t kEntryShare = 512;
    std::uint64_t Free = UINT64_MAX;
    std::uint64_t Content = UINT64_MAX;
    // True when one more entry of `size` bytes, after `content` and `disk` bytes counted as
    // above, stays within both.
    bool Hold(std::uint64_t content, std::uint64_t disk, std::uint64_t size) const {
        return content + size + kEntryShare <= Content && disk + size + kBlock <= Free;
    }
};

struct Refusal {
    RefusalReason Reason = RefusalReason::None;
    std::string Entry;   // the entry's name as the archive gives it ("" for the whole archive)
    std::string Detail;  // libarchive's account of a damaged archive
    explicit operator bool() const { return Reason != RefusalReason::None; }
};

// The message that tells the user why the archive `archiveName` was not unpacked.
std::string RefusalText(const std::string& archiveName, const Refusal& refusal);

// One entry that is to be written, as the first pass found it.
struct PlannedEntry {
    std::string Name;                // as stored (UTF-8)
    std::vector<std::string> Parts;  // folders and file below the new folder
    bool IsFolder = false;
    std::int64_t DeclaredSize = -1;  // -1 when the archive does not say
    std::int64_t ModifiedTime = 0;   // seconds since 1970, 0 when unknown
};

struct ArchivePlan {
    Refusal Refused;
    std::vector<PlannedEntry> Entries;  // in archive order (only when not refused)
    // True when every entry lies in one top folder, which then becomes the new folder itself.
    bool SingleTopFolder = false;
};

// The first pass: reads every header and checks every name and kind before anything is
// written. The sizes the headers declare are held against `limits` as each header is read, so
// that a header declaring more is refused before the data after it is decompressed.
ArchivePlan ScanArchive(const std::string& nativePath, const ContentLimits& limits = {});

// True when the file reads as an archive of a kind the program unpacks.
bool IsArchive(const std::string& nativePath);

}  // namespace movrand::archives
