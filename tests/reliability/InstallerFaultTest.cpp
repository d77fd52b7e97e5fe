#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>

#include "../addons/AddOnFixture.h"
#include "FaultSweep.h"
#include "FileSnapshot.h"
#include "GameGuard.h"
#include "Samples.h"
#include "addons/AddOnNames.h"
#include "addons/InstalledItems.h"

namespace movrand::test {
namespace {

namespace fs = std::filesystem;
using Files = std::map<std::string, std::string>;

constexpr int kFerrariPosition = 4;
constexpr const char* kLiveries = "C:\\addons\\Team Liveries";

bool Listed(TempDrive& drive, const std::string& item) {
    const auto items = ListInstalledItems(drive.Pv, drive.Ui, kFerrariPosition).Items;
    return std::find(items.begin(), items.end(), item) != items.end();
}

bool Remove(TempDrive& drive, const std::string& item) {
    drive.Ui.Answers = {true};
    return RemoveAddOnFiles(drive.Pv, drive.Ui, kFerrariPosition, item).Removed;
}

// One operation of the installer swept through its faults.
struct Scenario {
    std::function<void(TempDrive&)> Prepare;  // after the demo add-ons are in place
    std::function<void(TempDrive&)> Operation;
    std::string Item;      // the item the operation installs or removes
    bool Removal = false;  // the operation is the removal of Item
    // The program's own records, descriptions and pictures in the team folder are deleted by
    // design when its car is replaced or an item is removed (the add-on folders still hold
    // every file it copied).
    bool RecordsMayGo = false;
    // The program's car is in the team folder before the operation: after any fault it is still
    // listed, so it can be removed, and installing again makes no backup of the program's files.
    bool OverProgramsCar = false;
};

int CarBackups(const TempDrive& drive) {
    const fs::path folder = drive.Native("C:\\sierra\\gpl\\cars\\replacedcars");
    if (!fs::exists(folder)) return 0;
    return static_cast<int>(std::distance(fs::directory_iterator(folder), {}));
}

// The team folder's files, but for the numbers of backup folders.
Files Team(const TempDrive& drive) {
    return WithoutBackupNumbers(SnapshotOf(drive, kFerrari));
}

// Fails the operation at each of its steps in turn. After each fault: one error report, no file
// of the installation, the add-on folders or the backups lost, driver.ini untouched, the live
// car folder whole; then the operation completes when run again, and its matching removal
// brings the team folder to where a removal after a clean run brings it.
void Sweep(const Scenario& scenario) {
    // The team folder before the operation, after it, and after the matching removal of a clean
    // run.
    Files before, completed, undone;
    {
        TempDrive clean;
        PrepareAddOns(clean);
        scenario.Prepare(clean);
        before = Team(clean);
        scenario.Operation(clean);
        ASSERT_TRUE(clean.Ui.Traps.empty()) << clean.Ui.Transcript();
        completed = Team(clean);
        if (!scenario.Removal) {
            ASSERT_TRUE(Remove(clean, scenario.Item)) << clean.Ui.Transcript();
            undone = Team(clean);
        }
    }
    std::optional<GameGuard> guard;
    std::string roster;
    FaultSweep sweep;
    sweep.Prepare = [&](TempDrive& drive) {
        PrepareAddOns(drive);
        scenario.Prepare(drive);
        drive.Ui.Messages.clear();
        drive.Ui.Answers = {true};
        guard = GameGuard::Take({drive.DriveC()}, drive.Native("C:\\sierra\\gpl"));
        roster = drive.Read("C:\\sierra\\gpl\\driver.ini");
    };
    sweep.Operation = scenario.Operation;
    const auto expectNothingLost = [&](TempDrive& drive, const std::string& when) {
        std::vector<std::string> lost = guard->Lost();
        if (scenario.RecordsMayGo) {
            const std::string team = drive.Native(kFerrari).generic_string() + "/zorvex";
            std::erase_if(lost, [&](const std::string& path) { return path.rfind(team, 0) == 0; });
        }
        EXPECT_EQ(lost, std::vector<std::string>{}) << when;
        EXPECT_EQ(guard->LiveCarFolderProblem(), "") << when;
        EXPECT_EQ(drive.Read("C:\\sierra\\gpl\\driver.ini"), roster) << when;
    };
    int carBackups = 0;
    sweep.Check = [&](TempDrive& drive, int) {
        ASSERT_EQ(drive.Ui.Traps.size(), 1u) << drive.Ui.Transcript();
        EXPECT_TRUE(drive.Ui.Messages.empty()) << "a failure told as success";
        // A removal that failed leaves the item listed, so it can be removed again.
        EXPECT_TRUE(!scenario.Removal || Listed(drive, scenario.Item));
        if (scenario.OverProgramsCar) {
            EXPECT_TRUE(Listed(drive, kCompleteCar));
            carBackups = CarBackups(drive);
        }
        EXPECT_EQ(drive.Ui.Traps[0].Text, scenario.Removal ? "61\r\nDisk full" : "61 Disk full");
        expectNothingLost(drive, "after the fault");
        if (scenario.Removal) {
            EXPECT_TRUE(Remove(drive, scenario.Item)) << drive.Ui.Transcript();
            EXPECT_EQ(Differences(Team(drive), completed), "");
        } else {
            // The removal straight after the fault, where the item is listed, and else nothing
            // of the game was overwritten (an accessory) or moved aside (a car).
            if (Listed(drive, scenario.Item)) {
                EXPECT_TRUE(Remove(drive, scenario.Item)) << drive.Ui.Transcript();
                EXPECT_EQ(Differences(Team(drive), undone), "");
            } else if (scenario.Item != kCompleteCar) {
                EXPECT_EQ(Differences(Team(drive), before), "");
            }
            expectNothingLost(drive, "after the removal");
            scenario.Operation(drive);
            EXPECT_EQ(Differences(Team(drive), completed), "") << "run again";
            EXPECT_TRUE(Remove(drive, scenario.Item));
            EXPECT_EQ(Differences(Team(drive), undone), "") << "removed after running again";
        }
        EXPECT_EQ(drive.Ui.Traps.size(), 1u) << drive.Ui.Transcript();
        expectNothingLost(drive, "at the end");
        if (scenario.OverProgramsCar) {
            EXPECT_EQ(CarBackups(drive), carBackups);
        }
    };
    EXPECT_GE(sweep.Run(), 2);
}

void Install(TempDrive& drive, const std::string& folder, const std::string& entry) {
    ASSERT_EQ(InstallEntry(drive, folder, entry), InstallOutcome::Installed)
        << drive.Ui.Transcript();
}

TEST(InstallerFaults, CompleteCarOverTheGamesCar) {
    Scenario s;
    s.Prepare = [](TempDrive&) {};
    s.Operation = [](TempDrive& drive) { InstallEntry(drive, kClassic, "Ferrari 312"); };
    s.Item = kCompleteCar;
    Sweep(s);
}

TEST(InstallerFaults, CompleteCarOverTheProgramsCarWithAnAccessory) {
    Scenario s;
    s.Prepare = [](TempDrive& drive) {
        MakeSecondCar(drive.DriveC());
        Install(drive, kClassic, "Ferrari 312");
        Install(drive, kClassic, "Red Wheels");
    };
    s.Operation = [](TempDrive& drive) {
        InstallEntry(drive, "C:\\addons\\Ferrari 1968", "Ferrari 312B");
    };
    s.Item = kCompleteCar;
    s.RecordsMayGo = true;
    s.OverProgramsCar = true;
    Sweep(s);
}

TEST(InstallerFaults, AccessoryOverTheGamesCar) {
    Scenario s;
    s.Prepare = [](TempDrive& drive) { MakeLiveries(drive.DriveC()); };
    s.Operation = [](TempDrive& drive) { InstallEntry(drive, kLiveries, "Blue Livery"); };
    s.Item = "Blue Livery";
    Sweep(s);
}

TEST(InstallerFaults, AccessoryOverTheProgramsCar) {
    Scenario s;
    s.Prepare = [](TempDrive& drive) { Install(drive, kClassic, "Ferrari 312"); };
    s.Operation = [](TempDrive& drive) { InstallEntry(drive, kClassic, "Red Wheels"); };
    s.Item = "Red Wheels";
    Sweep(s);
}

TEST(InstallerFaults, RemovingTheProgramsCarWithItsAccessories) {
    Scenario s;
    s.Prepare = [](TempDrive& drive) {
        Install(drive, kClassic, "Ferrari 312");
        Install(drive, kClassic, "Red Wheels");
        Install(drive, kClassic, "Chrome Mirrors");
    };
    s.Operation = [](TempDrive& drive) { Remove(drive, kCompleteCar); };
    s.Item = kCompleteCar;
    s.Removal = true;
    s.RecordsMayGo = true;
    s.OverProgramsCar = true;
    Sweep(s);
}

TEST(InstallerFaults, RemovingAnAccessoryPutsTheGamesFilesBack) {
    Scenario s;
    s.Prepare = [](TempDrive& drive) {
        MakeLiveries(drive.DriveC());
        Install(drive, kLiveries, "Blue Livery");
    };
    s.Operation = [](TempDrive& drive) { Remove(drive, "Blue Livery"); };
    s.Item = "Blue Livery";
    s.Removal = true;
    s.RecordsMayGo = true;
    Sweep(s);
}

TEST(InstallerFaults, RemovingAnAccessoryPutsTheStandardCarsFilesBack) {
    Scenario s;
    s.Prepare = [](TempDrive& drive) {
        Install(drive, kClassic, "Ferrari 312");
        Install(drive, kClassic, "Red Wheels");
    };
    s.Operation = [](TempDrive& drive) { Remove(drive, "Red Wheels"); };
    s.Item = "Red Wheels";
    s.Removal = true;
    s.RecordsMayGo = true;
    Sweep(s);
}

}  // namespace
}  // namespace movrand::test
