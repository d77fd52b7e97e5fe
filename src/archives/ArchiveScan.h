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
    CaseClash,       // two names that differ only in letter case, or one name twice
    Encrypted,       // password-protected
    TooLarge,        // more than the free space or than 100 times the archive
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
    std::uint64_t DeclaredBytes = 0;
    // True when every entry lies in one top folder, which then becomes the new folder itself.
    bool SingleTopFolder = false;
};

// The first pass: reads every header and checks every name and kind before anything is
// written.
ArchivePlan ScanArchive(const std::string& nativePath);

// True when the file reads as an archive of a kind the program unpacks.
bool IsArchive(const std::string& nativePath);

}  // namespace movrand::archives
