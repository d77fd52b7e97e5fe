// SPDX-License-Identifier: GPL-3.0-or-later
#include "addons/InstallAddOnFiles.h"

#include <algorithm>
#include <map>
#include <set>
#include <vector>

#include "addons/AccessoryRecord.h"
#include "addons/AccessoryRemoval.h"
#include "addons/AccessoryStack.h"
#include "addons/AddOnFolder.h"
#include "addons/AddOnNames.h"
#include "addons/BackupFolder.h"
#include "addons/InstallChecks.h"
#include "addons/NormalPointerUi.h"
#include "addons/SafeNames.h"
#include "history/HistoryStep.h"
#include "platform/ErrorTrap.h"
#include "platform/FileSystemErrors.h"
#include "platform/RuntimeError.h"
#include "platform/Text.h"
#include "resources/StringTable.h"
#include "roster/TeamTable.h"

namespace movrand {

namespace {

using platform::EqualsNoCase;
using resources::LoadResString;

// Size of the message window for the installer's refusals (twips).
constexpr int kRefusalWidth = 4500;
constexpr int kRefusalHeight = 2000;

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

class Installer {
  public:
    Installer(ProgramValues& pv, platform::Ui& ui, std::string team, std::string entryFolder,
              std::string entryName, std::string standardFolder, std::string addOnFolder)
        : pv_(pv),
          ui_(ui),
          fs_(pv.Files()),
          team_(std::move(team)),
          teamFolder_(TeamFolderPath(pv, team_)),
          entryFolder_(std::move(entryFolder)),
          entryName_(std::move(entryName)),
          standardFolder_(std::move(standardFolder)),
          addOnFolder_(std::move(addOnFolder)) {}

    InstallOutcome Accessory();
    InstallOutcome Car();
    // After a failure: a backup folder this run made and left empty goes again.
    void DropEmptyBackup();

  private:
    std::string Refusal(bool accessory, const std::string& description);
    std::string DescriptionSource();
    bool DataFileWouldChange() const;
    // The names of the team folder in lower case, listed once.
    std::set<std::string> TeamNames() const {
        std::set<std::string> names;
        for (const platform::FolderEntry& entry : fs_.Entries(teamFolder_, false))
            if (!entry.IsFolder()) names.insert(platform::LowerCase(entry.Name));
        return names;
    }
    bool OverwritesAny(const std::set<std::string>& team) const {
        return std::any_of(files_.begin(), files_.end(), [&](const std::string& name) {
            return team.count(platform::LowerCase(name)) > 0;
        });
    }
    void InstallCopy(const std::string& source, const std::string& targetName);
    void WriteRecordWithBackups();
    InstallOutcome Refuse(const std::string& message) {
        ui_.ShowMessage(message, kRefusalWidth, kRefusalHeight);
        return InstallOutcome::Refused;
    }
    std::string Team(const std::string& name) const { return JoinPath(teamFolder_, name); }
    std::string Entry(const std::string& name) const { return JoinPath(entryFolder_, name); }
    std::string DataFile() const { return team_ + ".dat"; }

    ProgramValues& pv_;
    platform::Ui& ui_;
    platform::FileSystem fs_;
    std::string team_;
    std::string teamFolder_;
    std::string entryFolder_;
    std::string entryName_;
    std::string standardFolder_;
    std::string addOnFolder_;
    std::vector<std::string> files_;
    std::string backup_;
};

// Everything that would stop the installation half-way or lose a file is looked at here,
// before anything is written.
std::string Installer::Refusal(bool accessory, const std::string& description) {
    for (const std::string& folder : {entryFolder_, addOnFolder_, standardFolder_})
        if (!folder.empty() && fs_.IsWithin(folder, teamFolder_) &&
            fs_.IsWithin(teamFolder_, folder))
            return "The files cannot be added: the add-on folder is the GPL team folder they are to be added to.";
    if (fs_.IsLink(teamFolder_))
        return "The files cannot be added: the GPL team folder " + Quoted(teamFolder_) +
               " is a link to another place, which Movrand does not write through.";
    const std::string marker = MarkerPath(addOnFolder_);
    if (const std::string kind = fs_.KindAt(marker); !kind.empty() && kind != "a file")
        return "The files cannot be added: the add-on's marker file " + Quoted(marker) + " is " +
               kind + ", not a regular file.";
    if (fs_.IsLink(entryFolder_))
        return "The files cannot be added: the add-on holds links or other entries that are not plain files: " +
               Quoted(entryName_) + ".";
    files_ = EntryFiles(fs_, entryFolder_);
    const EntryToInstall entry{accessory,    entryName_,  entryFolder_,
                               addOnFolder_, description, files_};
    if (std::string refusal = EntryRefusal(fs_, entry); !refusal.empty()) return refusal;
    if (std::string clash = TeamFolderClash(fs_, teamFolder_, entry, DataFile()); !clash.empty())
        return clash;
    // A read-only file in the way would fail the copy after earlier steps had run; an accessory
    // backs up what it overwrites, which must be a file that can be read.
    std::map<std::string, platform::FolderEntry> team;
    for (platform::FolderEntry& entry : fs_.Entries(teamFolder_, false))
        team.emplace(platform::LowerCase(entry.Name), std::move(entry));
    for (const std::string& name : files_) {
        const auto there = team.find(platform::LowerCase(name));
        if (there == team.end() || !(accessory || EqualsNoCase(name, DataFile()))) continue;
        const platform::FolderEntry& entry = there->second;
        if (!entry.IsFile())
            return "The files cannot be added: " + Quoted(Team(entry.Name)) +
                   " in the team folder is " + platform::KindOf(entry.Mode) +
                   ", not a regular file, and would be overwritten.";
        if (fs_.IsReadOnly(Team(entry.Name)))
            throw platform::RuntimeError(
                platform::kPermissionDenied,
                "Cannot write " + Team(entry.Name) + ": permission denied");
    }
    return "";
}

// The description file the marker names for this entry, or "" when it names none. A file that
// is named but missing fails the installation before anything is written.
std::string Installer::DescriptionSource() {
    if (!fs_.FileExists(MarkerPath(addOnFolder_))) return "";
    const int number = EntryNumberOf(pv_, ui_, addOnFolder_, entryName_);
    if (number == 0) return "";
    const std::string source =
        JoinPath(addOnFolder_, "zorvex" + team_ + std::to_string(number) + ".zorvex");
    if (!fs_.FileExists(source))
        throw platform::RuntimeError(platform::kFileNotFound,
                                     "Cannot read " + source + ": file not found");
    return source;
}

// True when the entry brings the team's .dat and it differs from the one in the team folder.
bool Installer::DataFileWouldChange() const {
    const auto carried = std::find_if(files_.begin(), files_.end(), [&](const std::string& name) {
        return EqualsNoCase(name, DataFile());
    });
    if (carried == files_.end() || !fs_.FileExists(Team(DataFile()))) return false;
    const std::string ours = Entry(*carried);
    const std::string theirs = Team(DataFile());
    return fs_.FileSize(ours) != fs_.FileSize(theirs) ||
           fs_.ReadAllBytes(ours) != fs_.ReadAllBytes(theirs);
}

// Puts a picture or description into the team folder under the installer's own name for it,
// replacing the earlier one (also when read-only) in one step, so the folder is never without it.
void Installer::InstallCopy(const std::string& source, const std::string& targetName) {
    const std::string target = Team(targetName);
    if (fs_.FileExists(target) && fs_.IsReadOnly(target)) fs_.SetReadOnly(target, false);
    fs_.CopyFile(source, target);
}

// Every file the accessory overwrites, whoever put it there (the game, the program's car, an
// earlier accessory), is first copied into a backup folder, which the record names so that
// removal can put it back. The record is saved once every copy is safe, and before any file is
// overwritten: a removal after a failure never deletes a file whose copy is not in the backup
// folder, and never misses a file the installation brought.
void Installer::WriteRecordWithBackups() {
    const int order = NextAccessoryOrder(pv_, ui_, fs_, teamFolder_);
    const std::set<std::string> team = TeamNames();
    const std::string backup =
        OverwritesAny(team) ? CreateBackupFolder(pv_, fs_, kReplacedAccessories, team_) : "";
    backup_ = backup;
    AccessoryRecordWriter record(fs_, Team(AccessoryRecordName(entryName_)));
    if (!backup.empty()) record.WriteStandardFolder(backup);
    record.WriteFilesHeader();
    int n = 1;
    for (const std::string& name : files_) {
        const bool existing = team.count(platform::LowerCase(name)) > 0;
        if (existing) fs_.CopyFile(Team(name), backup);
        record.WriteFileLine(n++, name);
        record.WriteStatusLine(name, existing);
    }
    record.WriteOrder(order);
    record.WriteFingerprintsFrom(entryFolder_);
    // The game's files are overwritten only once their copies are on the disk.
    fs_.SyncTouched();
    record.Save();
    fs_.CopyFilesInto(entryFolder_, files_, teamFolder_);
}

InstallOutcome Installer::Accessory() {
    if (!fs_.FileExists(Team(kCarDescriptionFile)) && !standardFolder_.empty())
        return Refuse(LoadResString(resources::kAccessoriesNeedCompleteCar));
    const std::string description = DescriptionSource();
    if (const std::string refusal = Refusal(true, description); !refusal.empty())
        return Refuse(refusal);
    // The folder the record will name must read back as written, or removal could not find
    // the files it has to put back.
    const std::string recordedFolder =
        pv_.GPLPath + kReplacedAccessories + BackupStamp(team_, pv_.Env.LocalClock->Now()) + "\\";
    if (OverwritesAny(TeamNames()) && !ValueSurvivesRecord(recordedFolder))
        return Refuse("The accessory cannot be added: the folder " + Quoted(recordedFolder) +
                      " cannot be kept in the accessory record.");

    // An earlier installation of this accessory is taken out first, so that the backup and the
    // new record describe the game's own files rather than the earlier copies.
    if (fs_.FileExists(Team(AccessoryRecordName(entryName_)))) {
        const AccessoryTakeOut earlier = TakeOutAccessory(pv_, ui_, fs_, teamFolder_, entryName_);
        if (!earlier.Refusal.empty())
            return Refuse("The accessory cannot be added: the record of its earlier installation " +
                          earlier.Refusal + ".");
    }
    WriteRecordWithBackups();

    if (fs_.FileExists(Entry(kEntryBmp)))
        InstallCopy(Entry(kEntryBmp), AccessoryBmpName(entryName_));
    if (fs_.FileExists(Entry(kEntryJpg)))
        InstallCopy(Entry(kEntryJpg), AccessoryJpgName(entryName_));
    if (!description.empty()) InstallCopy(description, AccessoryDescriptionName(entryName_));
    // What the message promises is on the disk before it is shown.
    fs_.SyncTouched();
    return InstallOutcome::Installed;
}

InstallOutcome Installer::Car() {
    const std::string description = DescriptionSource();
    if (const std::string refusal = Refusal(false, description); !refusal.empty())
        return Refuse(refusal);
    std::vector<std::string> others;
    for (const platform::FolderEntry& entry : fs_.Entries(teamFolder_, false))
        if (!entry.IsFolder() && !EqualsNoCase(entry.Name, DataFile()))
            others.push_back(entry.Name);
    const bool programCar = fs_.FileExists(Team(kCarDescriptionFile));
    // The team's .dat never leaves the folder. While a car has put its own in its place, the
    // team's is kept beside it, so that the car's removal (or a car without one) puts it back.
    const bool kept = programCar && fs_.FileExists(Team(kTeamDataKeeper));
    const bool bringsDataFile = std::any_of(files_.begin(), files_.end(), [&](const auto& name) {
        return EqualsNoCase(name, DataFile());
    });
    const bool keepDataFile = !kept && DataFileWouldChange();
    std::vector<std::string> writing = files_;

    if (!programCar) {
        backup_ = others.empty() ? "" : CreateBackupFolder(pv_, fs_, kReplacedCars, team_);
        fs_.MoveFilesInto(teamFolder_, others, backup_);
        // The game's car is in its backup on the disk before new files take its names.
        fs_.SyncTouched();
    } else {
        // The car description stays until the new car's replaces it: until then the folder is
        // known to hold the program's car, so a failed or interrupted installation can be
        // removed, or run again without a backup of the program's own files.
        // The files the new car brings unchanged (the same bytes, permissions and time under
        // the same name) stay as they are: a car installed again over itself rewrites nothing.
        const std::vector<std::string> found = fs_.SameFilesIn(entryFolder_, files_, teamFolder_);
        const std::set<std::string> same(found.begin(), found.end());
        const auto unchanged = [&](const std::string& name) { return same.count(name) > 0; };
        std::erase_if(writing, unchanged);
        std::vector<std::string> going;
        for (const std::string& name : others)
            if (!EqualsNoCase(name, kCarDescriptionFile) &&
                !(kept && EqualsNoCase(name, kTeamDataKeeper)) && !unchanged(name))
                going.push_back(name);
        fs_.DeleteFilesIn(teamFolder_, going, true);
    }
    if (keepDataFile) fs_.CopyFile(Team(DataFile()), Team(kTeamDataKeeper));
    if (kept && !bringsDataFile) {
        InstallCopy(Team(kTeamDataKeeper), DataFile());
        fs_.DeleteFile(Team(kTeamDataKeeper), true);
    }

    if (fs_.FileExists(Entry(kEntryBmp))) InstallCopy(Entry(kEntryBmp), kCarBmpFile);
    if (fs_.FileExists(Entry(kEntryJpg))) InstallCopy(Entry(kEntryJpg), kCarJpgFile);
    if (!description.empty()) {
        InstallCopy(description, kCarDescriptionFile);
    } else {
        platform::TextWriter out = fs_.CreateTextFile(Team(kCarDescriptionFile));
        out.WriteLine(kNoCarDescription);
        out.Close();
    }
    fs_.CopyFilesInto(entryFolder_, writing, teamFolder_);
    fs_.SyncTouched();
    return InstallOutcome::Installed;
}

void Installer::DropEmptyBackup() {
    if (backup_.empty()) return;
    try {
        if (fs_.FolderExists(backup_) && fs_.Entries(backup_, false).empty())
            fs_.DeleteFolder(backup_);
        const std::string parent = backup_.substr(0, backup_.rfind('\\', backup_.size() - 2));
        if (fs_.FolderExists(parent) && fs_.Entries(parent, false).empty())
            fs_.DeleteFolder(parent);
    } catch (const platform::RuntimeError&) {
        // The failure that brought us here is the one reported.
    }
}

std::string EntryNameRefusal(const std::string& entryName) {
    if (entryName.empty()) return "No add-on entry has been chosen, so no files can be added.";
    if (!IsPlainName(entryName))
        return "The files cannot be added: the entry name " + Quoted(entryName) +
               " is not a usable folder name (it must not hold \\, / or : or be . or ..).";
    return "";
}

}  // namespace

InstallOutcome InstallAddOnFiles(ProgramValues& pv, platform::Ui& ui, bool isAccessory,
                                 const std::string& team, const std::string& entryFolder,
                                 const std::string& entryName, const std::string& standardFolder,
                                 const std::string& addOnFolder) {
    NormalPointerUi shown(ui);
    if (const std::string refusal = EntryNameRefusal(entryName); !refusal.empty()) {
        shown.ShowMessage(refusal, kRefusalWidth, kRefusalHeight);
        return InstallOutcome::Refused;
    }
    const std::string folder = InstallerTeam(team.empty() ? shown.SelectTeam() : team);
    if (folder.empty()) return InstallOutcome::NoTeam;

    InstallOutcome outcome = InstallOutcome::Failed;
    platform::RunTrapped(shown, platform::TrapForm::Critical, pv.ProgramName, [&] {
        const Team* shownTeam = TeamByNumber(TeamNumberOfFolder(folder));
        history::HistoryStep step(pv,
                                  "Installed " + entryName + " (" +
                                      (isAccessory ? "accessory" : "complete car") + ") into " +
                                      (shownTeam ? shownTeam->DisplayName : folder),
                                  &shown);
        Installer installer(pv, shown, folder, entryFolder, entryName, standardFolder, addOnFolder);
        InstallOutcome done = InstallOutcome::Failed;
        try {
            done = isAccessory ? installer.Accessory() : installer.Car();
        } catch (...) {
            installer.DropEmptyBackup();
            throw;
        }
        // The success message promises the step too: it is on the disk before it is shown, and
        // a step that cannot be written takes the install back (a failure).
        if (done == InstallOutcome::Installed) {
            step.Commit();
            shown.ShowMessage(
                LoadResString(isAccessory ? resources::kAccessoryAdded : resources::kCarAdded));
        }
        outcome = done;
    });
    return outcome;
}

}  // namespace movrand
