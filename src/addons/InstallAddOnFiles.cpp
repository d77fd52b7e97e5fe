#include "addons/InstallAddOnFiles.h"

#include <algorithm>
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
#include "platform/ErrorTrap.h"
#include "platform/RuntimeError.h"
#include "platform/Text.h"
#include "resources/StringTable.h"

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

  private:
    std::string Refusal(bool accessory, const std::string& description);
    std::string DescriptionSource();
    bool DataFileWouldChange() const;
    bool OverwritesAny() const {
        return std::any_of(files_.begin(), files_.end(),
                           [&](const std::string& name) { return fs_.FileExists(Team(name)); });
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
};

// Everything that would stop the installation half-way or lose a file is looked at here,
// before anything is written.
std::string Installer::Refusal(bool accessory, const std::string& description) {
    for (const std::string& folder : {entryFolder_, addOnFolder_, standardFolder_})
        if (!folder.empty() && fs_.IsWithin(folder, teamFolder_) &&
            fs_.IsWithin(teamFolder_, folder))
            return "The files cannot be added: the add-on folder is the GPL team folder they are to be added to.";
    files_ = EntryFiles(fs_, entryFolder_);
    const EntryToInstall entry{accessory,    entryName_,  entryFolder_,
                               addOnFolder_, description, files_};
    if (std::string refusal = EntryRefusal(fs_, entry); !refusal.empty()) return refusal;
    if (std::string clash = TeamFolderClash(fs_, teamFolder_, entry, DataFile()); !clash.empty())
        return clash;
    // A read-only file in the way would fail the copy after earlier steps had run.
    for (const std::string& name : files_) {
        const bool stays = accessory || EqualsNoCase(name, DataFile());
        if (stays && fs_.FileExists(Team(name)) && fs_.IsReadOnly(Team(name)))
            throw platform::RuntimeError(platform::kPermissionDenied);
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
    if (!fs_.FileExists(source)) throw platform::RuntimeError(platform::kFileNotFound);
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
    const std::string backup =
        OverwritesAny() ? CreateBackupFolder(pv_, fs_, kReplacedAccessories, team_) : "";
    AccessoryRecordWriter record(fs_, Team(AccessoryRecordName(entryName_)));
    if (!backup.empty()) record.WriteStandardFolder(backup);
    record.WriteFilesHeader();
    int n = 1;
    for (const std::string& name : files_) {
        const bool existing = fs_.FileExists(Team(name));
        if (existing) fs_.CopyFile(Team(name), backup);
        record.WriteFileLine(n++, name);
        record.WriteStatusLine(name, existing);
    }
    record.WriteOrder(order);
    record.WriteFingerprintsFrom(entryFolder_);
    record.Save();
    fs_.CopyFilesInto(entryFolder_, files_, teamFolder_);
}

InstallOutcome Installer::Accessory() {
    if (!fs_.FileExists(Team(kCarDescriptionFile)) && !standardFolder_.empty())
        return Refuse(LoadResString(119));
    const std::string description = DescriptionSource();
    if (const std::string refusal = Refusal(true, description); !refusal.empty())
        return Refuse(refusal);
    // The folder the record will name must read back as written, or removal could not find
    // the files it has to put back.
    const std::string recordedFolder =
        pv_.GPLPath + kReplacedAccessories + BackupStamp(team_, pv_.Env.LocalClock->Now()) + "\\";
    if (OverwritesAny() && !ValueSurvivesRecord(recordedFolder))
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
    ui_.ShowMessage(LoadResString(120));
    return InstallOutcome::Installed;
}

InstallOutcome Installer::Car() {
    const std::string description = DescriptionSource();
    if (const std::string refusal = Refusal(false, description); !refusal.empty())
        return Refuse(refusal);
    std::vector<std::string> others;
    for (const std::string& name : fs_.FileNames(teamFolder_))
        if (!EqualsNoCase(name, DataFile())) others.push_back(name);
    const bool programCar = fs_.FileExists(Team(kCarDescriptionFile));
    // The team's .dat never leaves the folder. While a car has put its own in its place, the
    // team's is kept beside it, so that the car's removal (or a car without one) puts it back.
    const bool kept = programCar && fs_.FileExists(Team(kTeamDataKeeper));
    const bool bringsDataFile = std::any_of(files_.begin(), files_.end(), [&](const auto& name) {
        return EqualsNoCase(name, DataFile());
    });
    const bool keepDataFile = !kept && DataFileWouldChange();

    if (!programCar) {
        const std::string backup =
            others.empty() ? "" : CreateBackupFolder(pv_, fs_, kReplacedCars, team_);
        fs_.MoveFilesInto(teamFolder_, others, backup);
    } else {
        // The car description stays until the new car's replaces it: until then the folder is
        // known to hold the program's car, so a failed or interrupted installation can be
        // removed, or run again without a backup of the program's own files.
        for (const std::string& name : others)
            if (!EqualsNoCase(name, kCarDescriptionFile) &&
                !(kept && EqualsNoCase(name, kTeamDataKeeper)))
                fs_.DeleteFile(Team(name), true);
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
    fs_.CopyFilesInto(entryFolder_, files_, teamFolder_);
    ui_.ShowMessage(LoadResString(121));
    return InstallOutcome::Installed;
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
        Installer installer(pv, shown, folder, entryFolder, entryName, standardFolder, addOnFolder);
        outcome = isAccessory ? installer.Accessory() : installer.Car();
    });
    return outcome;
}

}  // namespace movrand
