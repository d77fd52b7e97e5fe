// SPDX-License-Identifier: GPL-3.0-or-later
#include "addons/AccessoryRemoval.h"

#include <set>

#include "addons/AccessoryRecord.h"
#include "addons/AccessoryStack.h"
#include "addons/AddOnNames.h"
#include "addons/SafeNames.h"
#include "platform/ContentHash.h"
#include "platform/Text.h"

namespace movrand {

namespace {

using platform::LowerCase;

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

void DeleteIfPresent(platform::FileSystem& fs, const std::string& path) {
    if (fs.FileExists(path)) fs.DeleteFile(path, true);
}

// The team folder's name, lower-cased, from its path.
std::string TeamOf(const std::string& teamFolder) {
    return LowerCase(teamFolder.substr(teamFolder.rfind('\\') + 1));
}

// True when the folder is one a record may put files back from: a backup folder under
// cars\replacedaccessories\, or an add-on car folder of an older version's record (the entry
// folder beside the add-on's marker file) that is not part of the live car folder.
bool IsRestoreSource(const ProgramValues& pv, const platform::FileSystem& fs,
                     const std::string& folder) {
    const std::string backups = pv.GPLPath + "cars\\replacedaccessories";
    if (fs.IsWithin(folder, backups) && !fs.IsWithin(backups, folder)) return true;
    const std::string parent = folder.substr(0, folder.rfind('\\'));
    return !fs.IsWithin(folder, pv.GPLPath + "cars\\cars67") &&
           fs.FileExists(JoinPath(parent, kMarkerFile));
}

// The names, lower-cased, that the backups of the team's original car hold: the folders under
// cars\replacedcars\ named after the team.
std::set<std::string> OriginalCarFiles(const ProgramValues& pv, const platform::FileSystem& fs,
                                       const std::string& team) {
    std::set<std::string> names;
    const std::string backups = pv.GPLPath + kReplacedCars;
    if (!fs.FolderExists(backups)) return names;
    for (const std::string& folder : fs.FolderNames(backups)) {
        const std::string lower = LowerCase(folder);
        if (lower.rfind(team, 0) != 0 ||
            lower.find_first_not_of("0123456789", team.size()) != std::string::npos)
            continue;
        for (const std::string& name : fs.FileNames(backups + folder))
            names.insert(LowerCase(name));
    }
    return names;
}

// What the record would do that no record the program wrote does, or "".
std::string RecordRefusal(const ProgramValues& pv, const platform::FileSystem& fs,
                          const std::string& teamFolder, const AccessoryRecordContent& content,
                          const std::string& standard, bool standardThere) {
    for (const RecordedFile& file : content.Files) {
        if (!IsPlainName(file.Name))
            return "names the file " + Quoted(file.Name) + ", which is not in the team folder";
        if (IsProgramFileName(file.Name))
            return "names " + Quoted(file.Name) + ", a file of Movrand's own";
    }
    if (standardThere && !IsRestoreSource(pv, fs, standard))
        return "names the folder " + Quoted(standard) +
               " to put files back from, which is neither a backup folder under " +
               kReplacedAccessories + " nor an add-on car folder";
    const std::string team = TeamOf(teamFolder);
    std::set<std::string> original;
    bool originalRead = false;
    for (const RecordedFile& file : content.Files) {
        const bool backedUp = standardThere && fs.FileExists(JoinPath(standard, file.Name));
        if (!file.JustAdded() && backedUp) continue;  // it is put back, not only deleted
        const std::string lower = LowerCase(file.Name);
        if (!originalRead) original = OriginalCarFiles(pv, fs, team);
        originalRead = true;
        if (lower == team + ".dat" || (file.JustAdded() && backedUp) || original.count(lower))
            return "names " + Quoted(file.Name) +
                   ", a file of the game's own, as one the accessory added";
    }
    return "";
}

// True when the team folder's file is not what the accessory installed (as far as the record
// tells: records of older versions keep no fingerprints). A file shorter than what was installed
// is the copy of an installation that was cut short (the record is saved before the files are
// copied), and goes like the rest.
bool ChangedSinceInstalled(const platform::FileSystem& fs, const std::string& path,
                           const RecordedFile& file) {
    if (!file.Fingerprinted() || !fs.FileExists(path)) return false;
    const std::uintmax_t size = fs.FileSize(path);
    const std::uintmax_t installed = std::stoull(file.Size);
    if (size < installed) return false;
    return size != installed || platform::ContentHashOf(fs.Native(path)) != file.Hash;
}

}  // namespace

AccessoryTakeOut TakeOutAccessory(ProgramValues& pv, platform::Ui& ui, platform::FileSystem& fs,
                                  const std::string& teamFolder, const std::string& entry) {
    AccessoryTakeOut result;
    if (!IsPlainName(entry)) {
        result.Refusal = "names the file " + Quoted(entry) + ", which is not in the team folder";
        return result;
    }
    const std::string record = JoinPath(teamFolder, AccessoryRecordName(entry));
    if (fs.FileExists(record)) {
        const AccessoryRecordContent content = ReadAccessoryRecord(pv, ui, record);
        const std::string standard = UsableStandardFolder(content.Standard);
        const bool standardThere = !standard.empty() && fs.FolderExists(standard);
        result.Refusal = RecordRefusal(pv, fs, teamFolder, content, standard, standardThere);
        if (!result.Refusal.empty()) return result;
        std::set<std::string> changed;
        for (const RecordedFile& file : content.Files)
            if (ChangedSinceInstalled(fs, JoinPath(teamFolder, file.Name), file)) {
                changed.insert(LowerCase(file.Name));
                result.LeftAlone.push_back(file.Name);
            }
        // A file that an accessory installed later also carries is that one's copy: it stays,
        // and what this one kept of it is handed on.
        const std::set<std::string> stay = HandOnToLaterAccessories(
            pv, ui, fs, teamFolder, entry, content, standardThere ? standard : "");
        for (const RecordedFile& file : content.Files) {
            const std::string lower = LowerCase(file.Name);
            if (stay.count(lower) || changed.count(lower)) continue;
            const std::string installed = JoinPath(teamFolder, file.Name);
            const std::string kept = standardThere ? JoinPath(standard, file.Name) : "";
            if (!file.JustAdded() && !kept.empty() && fs.FileExists(kept)) {
                // Copied beside the accessory's file and renamed over it in one step.
                if (fs.FileExists(installed) && fs.IsReadOnly(installed))
                    fs.SetReadOnly(installed, false);
                fs.CopyFile(kept, installed);
            } else {
                DeleteIfPresent(fs, installed);
            }
        }
    }
    DeleteIfPresent(fs, JoinPath(teamFolder, AccessoryDescriptionName(entry)));
    DeleteIfPresent(fs, JoinPath(teamFolder, AccessoryBmpName(entry)));
    DeleteIfPresent(fs, JoinPath(teamFolder, AccessoryJpgName(entry)));
    // The record goes last: until everything else is gone the accessory stays listed, so an
    // interrupted removal can be run again.
    DeleteIfPresent(fs, record);
    return result;
}

}  // namespace movrand
