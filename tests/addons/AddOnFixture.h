#pragma once
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "DemoAddOns.h"
#include "FileSnapshot.h"
#include "TempDrive.h"
#include "addons/AddOnFolder.h"
#include "addons/InstallAddOnFiles.h"
#include "platform/Clock.h"

namespace movrand::test {

// A clock that stands still at a chosen moment.
class FixedClock : public platform::Clock {
  public:
    platform::LocalTime Now() const override { return Time; }
    platform::LocalTime Time{2026, 12, 5, 7, 4, 9};
};

inline constexpr const char* kClassic = "C:\\addons\\Ferrari 312 Classic";
inline constexpr const char* kHelmets = "C:\\addons\\Universal Helmets";
inline constexpr const char* kFerrari = "C:\\sierra\\gpl\\cars\\cars67\\ferrari";

using Files = std::map<std::string, std::string>;

// A file of the game's Ferrari folder.
inline std::string Ferrari(const std::string& name) {
    return std::string(kFerrari) + "\\" + name;
}

// The backup stamp of team ferrari at the fixed clock's time.
inline constexpr const char* kStamp = "ferrari5122026749";

// Puts the demo add-on folders under C:\addons and a clock fixed at 5 December 2026, 07:04:09
// into a temporary drive.
inline std::shared_ptr<FixedClock> PrepareAddOns(TempDrive& drive) {
    auto clock = std::make_shared<FixedClock>();
    drive.Pv.Env.LocalClock = clock;
    demo::MakeDemoAddOns(drive.DriveC() / "addons");
    return clock;
}

// Installs an entry with the six inputs formed as the "Add Files" command forms them.
inline InstallOutcome InstallEntry(TempDrive& drive, const std::string& addOnFolder,
                                   const std::string& description) {
    const std::string team = AddOnTeam(drive.Pv, drive.Ui, addOnFolder);
    const bool accessory = EntryKind(drive.Pv, drive.Ui, addOnFolder, description) == "accessory";
    return InstallAddOnFiles(drive.Pv, drive.Ui, accessory, team, addOnFolder + "\\" + description,
                             description, StandardFolderOf(drive.Pv, drive.Ui, addOnFolder),
                             addOnFolder);
}

// Every file under a folder (recursively), by its path relative to the folder, with its bytes.
inline std::map<std::string, std::string> SnapshotOf(const TempDrive& drive,
                                                     const std::string& folder) {
    return TreeOf(drive.Native(folder));
}

// The temporary drive prepared with the demo add-on folders and the fixed clock.
class AddOnDrive : public TempDrive {
  public:
    AddOnDrive() : Clock(PrepareAddOns(*this)) {}

    std::string TeamFolder(const std::string& team) const {
        return "C:\\sierra\\gpl\\cars\\cars67\\" + team;
    }
    // Writes an add-on folder under C:\addons and gives its path.
    std::string MakeAddOn(const std::string& name, const demo::DemoAddOn& addOn) {
        demo::MakeAddOnFolder(DriveC() / "addons" / name, addOn);
        return "C:\\addons\\" + name;
    }
    // The same for a folder holding one entry.
    std::string MakeOneEntry(const std::string& folder, const std::string& team,
                             const std::string& description, const std::string& kind,
                             std::vector<std::pair<std::string, std::string>> files,
                             const std::string& text, bool bmp = false, bool jpg = false) {
        return MakeAddOn(folder, {team, {{description, kind, std::move(files), text, bmp, jpg}}});
    }
    InstallOutcome Install(const std::string& addOnFolder, const std::string& description) {
        return InstallEntry(*this, addOnFolder, description);
    }
    std::map<std::string, std::string> Snapshot(const std::string& folder) const {
        return SnapshotOf(*this, folder);
    }
    // The bytes of a file of an add-on's entry folder.
    std::string EntryBytes(const std::string& addOnFolder, const std::string& entry,
                           const std::string& name) const {
        return Read(addOnFolder + "\\" + entry + "\\" + name);
    }

    std::shared_ptr<FixedClock> Clock;
};

}  // namespace movrand::test
