#pragma once
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>

#include "DemoAddOns.h"
#include "TempDrive.h"
#include "addons/AddOnFolder.h"
#include "addons/InstallAddOnFiles.h"
#include "platform/Clock.h"
#include "platform/Text.h"

namespace movrand::test {

// A clock that stands still at a chosen moment.
class FixedClock : public platform::Clock {
  public:
    platform::LocalTime Now() const override { return Time; }
    platform::LocalTime Time{2026, 12, 5, 7, 4, 9};
};

// The temporary drive with the demo add-on folders under C:\addons and a fixed clock
// (5 December 2026, 07:04:09).
class AddOnDrive : public TempDrive {
  public:
    AddOnDrive() {
        Pv.Env.LocalClock = Clock;
        demo::MakeDemoAddOns(DriveC() / "addons");
    }

    static constexpr const char* kClassic = "C:\\addons\\Ferrari 312 Classic";
    static constexpr const char* kHelmets = "C:\\addons\\Universal Helmets";
    static constexpr const char* kFerrari = "C:\\sierra\\gpl\\cars\\cars67\\ferrari";
    static constexpr const char* kStamp = "ferrari5122026749";

    std::string TeamFolder(const std::string& team) const {
        return "C:\\sierra\\gpl\\cars\\cars67\\" + team;
    }

    // Writes an add-on folder under C:\addons and gives its path.
    std::string MakeAddOn(const std::string& name, const demo::DemoAddOn& addOn) {
        demo::MakeAddOnFolder(DriveC() / "addons" / name, addOn);
        return "C:\\addons\\" + name;
    }

    // Installs an entry with the six inputs formed as the "Add Files" command forms them.
    InstallOutcome Install(const std::string& addOnFolder, const std::string& description) {
        const std::string team = AddOnTeam(Pv, Ui, addOnFolder);
        const bool accessory = EntryKind(Pv, Ui, addOnFolder, description) == "accessory";
        return InstallAddOnFiles(Pv, Ui, accessory, team, addOnFolder + "\\" + description,
                                 description, StandardFolderOf(Pv, Ui, addOnFolder), addOnFolder);
    }

    // Every file under a folder (recursively), by its path relative to the folder, with its bytes.
    std::map<std::string, std::string> Snapshot(const std::string& windowsFolder) const {
        std::map<std::string, std::string> files;
        const std::filesystem::path root = Native(windowsFolder);
        if (!std::filesystem::exists(root)) return files;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
            if (!entry.is_regular_file()) continue;
            std::ifstream in(entry.path(), std::ios::binary);
            std::ostringstream bytes;
            bytes << in.rdbuf();
            files[std::filesystem::relative(entry.path(), root).string()] = bytes.str();
        }
        return files;
    }

    // The bytes of a file of an add-on entry folder of the demo.
    std::string EntryBytes(const std::string& addOnFolder, const std::string& entry,
                           const std::string& name) const {
        return Read(addOnFolder + "\\" + entry + "\\" + name);
    }

    std::shared_ptr<FixedClock> Clock = std::make_shared<FixedClock>();
};

}  // namespace movrand::test
