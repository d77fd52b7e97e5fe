// SPDX-License-Identifier: GPL-3.0-or-later
#include "addons/AccessoryStack.h"

#include <algorithm>
#include <map>
#include <vector>

#include "addons/AddOnNames.h"
#include "addons/BackupFolder.h"
#include "addons/SafeNames.h"
#include "platform/Text.h"

namespace movrand {

namespace {

using platform::LowerCase;

struct OtherRecord {
    std::string FileName;  // the record's own file name in the team folder
    AccessoryRecordContent Content;
};

std::vector<OtherRecord> OtherRecords(ProgramValues& pv, platform::Ui& ui, platform::FileSystem& fs,
                                      const std::string& teamFolder, const std::string& entry) {
    std::vector<OtherRecord> records;
    for (const std::string& name : fs.FileNames(teamFolder)) {
        const std::string other = AccessoryOfRecord(name);
        if (other.empty() || platform::EqualsNoCase(other, entry)) continue;
        records.push_back({name, ReadAccessoryRecord(pv, ui, JoinPath(teamFolder, name))});
    }
    return records;
}

// Rewrites a later accessory's record so that, for the files in `handed`, it keeps the copies
// given there ("" for none) instead of its own; its other kept copies go with them into a new
// backup folder, so the record names one folder that holds all it will put back.
void TakeOver(ProgramValues& pv, platform::FileSystem& fs, const std::string& teamFolder,
              const OtherRecord& later, const std::map<std::string, std::string>& handed) {
    const std::string ownFolder = UsableStandardFolder(later.Content.Standard);
    std::vector<std::pair<std::string, std::string>> sources;  // name, kept copy or ""
    for (const RecordedFile& file : later.Content.Files) {
        std::string source;
        if (const auto given = handed.find(LowerCase(file.Name)); given != handed.end())
            source = given->second;
        else if (!file.JustAdded() && !ownFolder.empty() &&
                 fs.FileExists(JoinPath(ownFolder, file.Name)))
            source = JoinPath(ownFolder, file.Name);
        sources.emplace_back(file.Name, source);
    }
    const bool keepsAny = std::any_of(sources.begin(), sources.end(),
                                      [](const auto& source) { return !source.second.empty(); });
    const std::string team = LowerCase(teamFolder.substr(teamFolder.rfind('\\') + 1));
    const std::string backup =
        keepsAny ? CreateBackupFolder(pv, fs, kReplacedAccessories, team) : "";
    std::vector<std::pair<std::string, bool>> files;
    for (const auto& [name, source] : sources) {
        if (!source.empty()) fs.CopyFile(source, backup + name);
        files.emplace_back(name, !source.empty());
    }
    AccessoryRecordWriter record(fs, JoinPath(teamFolder, later.FileName));
    if (keepsAny) record.WriteStandardFolder(backup);
    record.WriteFiles(files);
    record.WriteOrder(later.Content.Order);
    record.WriteFingerprints(later.Content.Files);
    record.Save();
}

}  // namespace

int NextAccessoryOrder(ProgramValues& pv, platform::Ui& ui, platform::FileSystem& fs,
                       const std::string& teamFolder) {
    int highest = 0;
    for (const OtherRecord& record : OtherRecords(pv, ui, fs, teamFolder, ""))
        highest = std::max(highest, record.Content.Order);
    return highest + 1;
}

std::set<std::string> HandOnToLaterAccessories(ProgramValues& pv, platform::Ui& ui,
                                               platform::FileSystem& fs,
                                               const std::string& teamFolder,
                                               const std::string& entry,
                                               const AccessoryRecordContent& content,
                                               const std::string& standardFolder) {
    std::vector<OtherRecord> later = OtherRecords(pv, ui, fs, teamFolder, entry);
    // Records written before the order was kept read 0: they came before every other, and
    // among themselves none is known to be later.
    // A record that names a file outside the team folder is damaged: nothing is handed to it.
    std::erase_if(later, [&](const OtherRecord& r) {
        return r.Content.Order <= content.Order ||
               std::any_of(r.Content.Files.begin(), r.Content.Files.end(),
                           [](const RecordedFile& file) { return !IsPlainName(file.Name); });
    });
    std::stable_sort(later.begin(), later.end(), [](const OtherRecord& a, const OtherRecord& b) {
        return a.Content.Order < b.Content.Order;
    });
    // Each file's next later carrier: the first of them, in order, to list it.
    std::map<std::string, std::size_t> carrier;
    for (std::size_t i = 0; i < later.size(); ++i)
        for (const RecordedFile& file : later[i].Content.Files)
            carrier.emplace(LowerCase(file.Name), i);
    std::set<std::string> stay;
    std::map<std::size_t, std::map<std::string, std::string>> handed;  // later record -> files
    for (const RecordedFile& file : content.Files) {
        const std::string lower = LowerCase(file.Name);
        const auto next = carrier.find(lower);
        if (next == carrier.end()) continue;
        const bool kept = !file.JustAdded() && !standardFolder.empty() &&
                          fs.FileExists(JoinPath(standardFolder, file.Name));
        handed[next->second][lower] = kept ? JoinPath(standardFolder, file.Name) : "";
        stay.insert(lower);
    }
    for (const auto& [index, files] : handed) TakeOver(pv, fs, teamFolder, later[index], files);
    return stay;
}

}  // namespace movrand
