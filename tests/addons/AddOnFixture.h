// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <memory>
#include <string>

#include "DemoAddOns.h"
#include "FileSnapshot.h"
#include "TempDrive.h"
#include "addons/AddOnFolder.h"
#include "addons/InstallAddOnFiles.h"
#include "platform/Clock.h"

namespace movrand::test {

// A clock that stands still at 5 December 2026, 07:04:09.
class FixedClock : public platform::Clock {
  public:
    platform::LocalTime Now() const override { return Time; }
    platform::LocalTime Time{2026, 12, 5, 7, 4, 9};
};

inline constexpr const char* kClassic = "C:\\addons\\Ferrari 312 Classic";
inline constexpr const char* kFerrari = "C:\\sierra\\gpl\\cars\\cars67\\ferrari";
using Files = std::map<std::string, std::string>;

inline std::string Ferrari(const std::string& name) {
    return std::string(kFerrari) + "\\" + name;
}

// Puts the demo add-on folders under C:\addons and the fixed clock into a temporary drive.
inline void PrepareAddOns(TempDrive& drive) {
    drive.Pv.Env.LocalClock = std::make_shared<FixedClock>();
    demo::MakeDemoAddOns(drive.DriveC() / "addons");
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

// The temporary drive prepared with the demo add-on folders and the fixed clock.
class AddOnDrive : public TempDrive {
  public:
    AddOnDrive() { PrepareAddOns(*this); }
    // Writes C:\addons\<folder> holding one entry.
    void MakeOneEntry(const std::string& folder, const std::string& team,
                      const std::string& description, const std::string& kind,
                      std::vector<std::pair<std::string, std::string>> files,
                      const std::string& text, bool bmp = false) {
        demo::MakeAddOnFolder(DriveC() / "addons" / folder,
                              {team, {{description, kind, std::move(files), text, bmp, false}}});
    }
    InstallOutcome Install(const std::string& folder, const std::string& entry) {
        return InstallEntry(*this, folder, entry);
    }
    Files Snapshot(const std::string& folder) const { return TreeOf(Native(folder)); }
};

}  // namespace movrand::test
