// SPDX-License-Identifier: GPL-3.0-or-later
#include "archives/ArchiveScan.h"

#include <sys/stat.h>

#include <algorithm>
#include <map>
#include <utility>

#include "archives/ArchiveLibrary.h"
#include "archives/ArchiveReader.h"
#include "archives/EntryNames.h"

namespace movrand::archives {

namespace {

Refusal Refuse(RefusalReason reason, const std::string& entry, const std::string& detail = "") {
    return Refusal{reason, entry, detail};
}

// Notes each folder and file the entry makes under its letter-case key; two different
// spellings of one key, a file where a folder is, or one file twice, clash. Each name is kept
// under the number of the folder that holds it, so that an entry costs time and memory in
// proportion to its name's length, however deep it goes.
class NameRegister {
  public:
    explicit NameRegister(locale_t utf8) : utf8_(utf8) {}

    bool Add(const PlannedEntry& entry) {
        std::size_t folder = 0;  // the new folder itself
        for (std::size_t i = 0; i < entry.Parts.size(); ++i) {
            const bool isFolder = entry.IsFolder || i + 1 < entry.Parts.size();
            const auto [seen, added] =
                names_.emplace(std::make_pair(folder, FoldedCase(entry.Parts[i], utf8_)),
                               Seen{names_.size() + 1, entry.Parts[i], isFolder});
            if (!added &&
                (seen->second.Spelling != entry.Parts[i] || !seen->second.Folder || !isFolder))
                return false;
            folder = seen->second.Number;
        }
        return true;
    }

  private:
    struct Seen {
        std::size_t Number;
        std::string Spelling;
        bool Folder;
    };
    locale_t utf8_;
    std::map<std::pair<std::size_t, std::string>, Seen> names_;
};

// The entry's name as a message shows it: readable, and not so long that nothing else is seen.
std::string ShownName(const std::string& name) {
    constexpr std::size_t kMostShown = 160;
    const std::string shown = EscapedName(name);
    if (shown.size() <= kMostShown) return shown;
    std::size_t cut = kMostShown;
    while (cut > 0 && (static_cast<unsigned char>(shown[cut]) & 0xC0) == 0x80) --cut;
    return shown.substr(0, cut) + "...";
}

RefusalReason ReasonOf(NameProblem problem) {
    switch (problem) {
        case NameProblem::LeavesFolder:
            return RefusalReason::LeavesFolder;
        case NameProblem::BadEncoding:
            return RefusalReason::BadEncoding;
        case NameProblem::TooLong:
            return RefusalReason::PathTooLong;
        case NameProblem::None:
        case NameProblem::NotWindowsName:
            break;
    }
    return RefusalReason::NotWindowsName;
}

bool InOneTopFolder(const std::vector<PlannedEntry>& entries) {
    if (entries.empty()) return false;
    const std::string& top = entries.front().Parts.front();
    bool below = false;
    for (const PlannedEntry& entry : entries) {
        if (entry.Parts.front() != top) return false;
        if (entry.Parts.size() == 1 && !entry.IsFolder) return false;
        below |= entry.Parts.size() > 1;
    }
    return below;
}

}  // namespace

std::string RefusalText(const std::string& archiveName, const Refusal& refusal) {
    const std::string entry = "the entry \"" + ShownName(refusal.Entry) + "\"";
    std::string why;
    switch (refusal.Reason) {
        case RefusalReason::None:
            return "";
        case RefusalReason::Unreadable:
            why = "it is not an archive that Movrand can read, or it is damaged or incomplete";
            if (!refusal.Detail.empty()) why += " (" + refusal.Detail + ")";
            break;
        case RefusalReason::LeavesFolder:
            why = entry + " would be written outside the folder it is unpacked into";
            break;
        case RefusalReason::Link:
            why = entry + " is a link; links are not unpacked";
            break;
        case RefusalReason::Special:
            why = entry + " is a device or a pipe, not a file";
            break;
        case RefusalReason::NotWindowsName:
            why = entry + " has a name that Windows cannot hold";
            break;
        case RefusalReason::BadEncoding:
            why = entry +
                  " has a name whose bytes are not valid in the character set the "
                  "archive declares for it";
            break;
        case RefusalReason::PathTooLong:
            why = entry +
                  " has a path that Windows programs cannot open (more than 259 "
                  "characters below the new folder, or a name of more than 255)";
            break;
        case RefusalReason::CaseClash:
            why = entry + " has the name of another entry, or differs from it only in letter case";
            break;
        case RefusalReason::Encrypted:
            why = "password-protected archives are not supported";
            if (!refusal.Entry.empty()) why += " (" + entry + ")";
            break;
        case RefusalReason::TooLarge:
            why = "its content is larger than the free space or than 100 times the archive";
            if (!refusal.Entry.empty()) why += " (at " + entry + ")";
            break;
    }
    return "The archive \"" + archiveName + "\" was not unpacked: " + why +
           ". Nothing was written.";
}

ArchivePlan ScanArchive(const std::string& nativePath, const ContentLimits& limits) {
    ArchivePlan plan;
    ArchiveReader reader(nativePath);
    NameRegister names(reader.Utf8Locale());
    std::uint64_t content = 0;
    std::uint64_t disk = 0;
    for (;;) {
        const ArchiveReader::Step step = reader.Next();
        if (step == ArchiveReader::Step::End) break;
        if (step == ArchiveReader::Step::Failed) {
            plan.Refused = reader.Encrypted()
                               ? Refuse(RefusalReason::Encrypted, "")
                               : Refuse(RefusalReason::Unreadable, "", reader.ErrorText());
            return plan;
        }
        archive_entry* header = reader.Entry();
        const ArchiveLibrary& la = reader.Library();
        PlannedEntry entry;
        entry.Name = reader.EntryName();
        const mode_t type = la.archive_entry_filetype(header);
        entry.IsFolder = type == AE_IFDIR;
        if (la.archive_entry_hardlink(header) || type == AE_IFLNK) {
            plan.Refused = Refuse(RefusalReason::Link, entry.Name);
        } else if (type != AE_IFREG && type != AE_IFDIR) {
            plan.Refused = Refuse(RefusalReason::Special, entry.Name);
        } else if (reader.Encrypted()) {
            plan.Refused = Refuse(RefusalReason::Encrypted, entry.Name);
        } else if (!reader.NameConverted()) {
            plan.Refused = Refuse(RefusalReason::BadEncoding, entry.Name);
        } else if (const NameProblem problem = SplitEntryName(entry.Name, entry.Parts);
                   problem != NameProblem::None) {
            plan.Refused = Refuse(ReasonOf(problem), entry.Name);
        } else if (entry.Parts.empty() && !entry.IsFolder) {
            plan.Refused = Refuse(RefusalReason::NotWindowsName, entry.Name);  // a file of no name
        }
        if (plan.Refused) return plan;
        if (entry.Parts.empty()) continue;  // "./" and the like name the new folder itself
        std::uint64_t size = 0;
        if (!entry.IsFolder && la.archive_entry_size_is_set(header)) {
            entry.DeclaredSize = la.archive_entry_size(header);
            size = static_cast<std::uint64_t>(std::max<std::int64_t>(entry.DeclaredSize, 0));
        }
        // Before the data after this header is read: a header may declare terabytes.
        if (!limits.Hold(content, disk, size)) {
            plan.Refused = Refuse(RefusalReason::TooLarge, entry.Name);
            return plan;
        }
        content += size + ContentLimits::kEntryShare;
        disk += size + ContentLimits::kBlock;
        if (la.archive_entry_mtime_is_set(header))
            entry.ModifiedTime = la.archive_entry_mtime(header);
        if (!names.Add(entry)) {
            plan.Refused = Refuse(RefusalReason::CaseClash, entry.Name);
            return plan;
        }
        plan.Entries.push_back(std::move(entry));
    }
    plan.SingleTopFolder = InOneTopFolder(plan.Entries);
    for (const PlannedEntry& entry : plan.Entries) {
        if (WindowsPathLength(entry.Parts, plan.SingleTopFolder ? 1 : 0) > kMostPathCharacters) {
            plan.Refused = Refuse(RefusalReason::PathTooLong, entry.Name);
            plan.Entries.clear();
            break;
        }
    }
    return plan;
}

bool IsArchive(const std::string& nativePath) {
    ArchiveReader reader(nativePath);
    const ArchiveReader::Step step = reader.Next();
    return step == ArchiveReader::Step::Entry || reader.Encrypted();
}

}  // namespace movrand::archives
