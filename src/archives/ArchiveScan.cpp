// SPDX-License-Identifier: GPL-3.0-or-later
#include "archives/ArchiveScan.h"

#include <archive.h>
#include <archive_entry.h>
#include <sys/stat.h>

#include <map>
#include <set>

#include "archives/ArchiveReader.h"
#include "archives/EntryNames.h"

namespace movrand::archives {

namespace {

Refusal Refuse(RefusalReason reason, const std::string& entry, const std::string& detail = "") {
    return Refusal{reason, entry, detail};
}

// Notes each folder and file the entry makes under its letter-case key; two different
// spellings of one key, a file where a folder is, or one file twice, clash.
class NameRegister {
  public:
    explicit NameRegister(locale_t utf8) : utf8_(utf8) {}

    bool Add(const PlannedEntry& entry) {
        std::string path;
        std::string key;
        for (std::size_t i = 0; i < entry.Parts.size(); ++i) {
            if (i > 0) path += '/', key += '/';
            path += entry.Parts[i];
            key += FoldedCase(entry.Parts[i], utf8_);
            const bool folder = entry.IsFolder || i + 1 < entry.Parts.size();
            const auto [seen, added] = names_.emplace(key, Seen{path, folder});
            if (added) continue;
            if (seen->second.Path != path || !seen->second.Folder || !folder) return false;
        }
        return true;
    }

  private:
    struct Seen {
        std::string Path;
        bool Folder;
    };
    locale_t utf8_;
    std::map<std::string, Seen> names_;
};

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
    const std::string entry = "the entry \"" + refusal.Entry + "\"";
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

ArchivePlan ScanArchive(const std::string& nativePath) {
    ArchivePlan plan;
    ArchiveReader reader(nativePath);
    NameRegister names(reader.Utf8Locale());
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
        PlannedEntry entry;
        entry.Name = reader.EntryName();
        const mode_t type = archive_entry_filetype(header);
        if (archive_entry_hardlink(header) || type == AE_IFLNK) {
            plan.Refused = Refuse(RefusalReason::Link, entry.Name);
        } else if (type != AE_IFREG && type != AE_IFDIR) {
            plan.Refused = Refuse(RefusalReason::Special, entry.Name);
        } else if (reader.Encrypted()) {
            plan.Refused = Refuse(RefusalReason::Encrypted, entry.Name);
        } else if (const NameProblem problem = SplitEntryName(entry.Name, entry.Parts);
                   problem != NameProblem::None) {
            plan.Refused =
                Refuse(problem == NameProblem::LeavesFolder ? RefusalReason::LeavesFolder
                                                            : RefusalReason::NotWindowsName,
                       entry.Name);
        }
        if (plan.Refused) return plan;
        if (entry.Parts.empty()) continue;  // "./" and the like name the new folder itself
        entry.IsFolder = type == AE_IFDIR;
        if (!entry.IsFolder && archive_entry_size_is_set(header)) {
            entry.DeclaredSize = archive_entry_size(header);
            if (entry.DeclaredSize > 0) plan.DeclaredBytes += entry.DeclaredSize;
        }
        if (archive_entry_mtime_is_set(header)) entry.ModifiedTime = archive_entry_mtime(header);
        if (!names.Add(entry)) {
            plan.Refused = Refuse(RefusalReason::CaseClash, entry.Name);
            return plan;
        }
        plan.Entries.push_back(std::move(entry));
    }
    plan.SingleTopFolder = InOneTopFolder(plan.Entries);
    return plan;
}

bool IsArchive(const std::string& nativePath) {
    ArchiveReader reader(nativePath);
    const ArchiveReader::Step step = reader.Next();
    return step == ArchiveReader::Step::Entry || reader.Encrypted();
}

}  // namespace movrand::archives
