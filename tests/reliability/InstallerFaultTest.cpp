// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>

#include "../addons/AddOnFixture.h"
#include "FaultSweep.h"
#include "GameGuard.h"
#include "PowerCut.h"
#include "Samples.h"
#include "addons/AddOnNames.h"
#include "addons/InstalledItems.h"

namespace movrand::test {
namespace {

namespace fs = std::filesystem;

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
    // The program's own records in the team folder go by design (the add-ons hold their files).
    bool RecordsMayGo = false;
    // The program's car stays listed after any fault; running again backs none of its files up.
    bool OverProgramsCar = false;
};

int CarBackups(const TempDrive& drive) {
    const fs::path folder = drive.Native("C:\\sierra\\gpl\\cars\\replacedcars");
    if (!fs::exists(folder)) return 0;
    return static_cast<int>(std::distance(fs::directory_iterator(folder), {}));
}

// The team folder's files, but for the numbers of backup folders.
Files Team(const TempDrive& drive) {
    return WithoutBackupNumbers(TreeOf(drive.Native(kFerrari)));
}

// Fails the operation at each of its steps in turn. After each fault: one error report, no file
// of the installation, the add-on folders or the backups lost, driver.ini untouched, the live
// car folder whole; then the operation completes when run again, and its matching removal
// brings the team folder to where a removal after a clean run brings it.
void Sweep(const Scenario& scenario) {
    // The team folder before a clean run, after it, and after its matching removal.
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
            // Removed straight after the fault where listed; else nothing was overwritten.
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

// An accessory carrying fer9.mip of Blue Livery, for stacking over it.
void InstallStripesOverLiveries(TempDrive& drive) {
    MakeLiveries(drive.DriveC());
    Install(drive, kLiveries, "Blue Livery");
    demo::MakeAddOnFolder(
        drive.DriveC() / "addons" / "Stripes",
        {"ferrari", {{"Stripes", "accessory", {{"fer9.mip", "stripes"}}, "S.\r\n", false, false}}});
    Install(drive, "C:\\addons\\Stripes", "Stripes");
}

struct Row {
    const char* what;
    Scenario s;
};

std::vector<Row> Rows() {
    const auto install = [](const char* folder, const char* entry) {
        return [=](TempDrive& drive) { InstallEntry(drive, folder, entry); };
    };
    const auto remove = [](const char* item) {
        return [=](TempDrive& drive) { Remove(drive, item); };
    };
    return {
        {"car over the game's car",
         {[](TempDrive&) {}, install(kClassic, "Ferrari 312"), kCompleteCar, false, false, false}},
        {"car over the program's car with an accessory",
         {[](TempDrive& drive) {
              MakeSecondCar(drive.DriveC());
              Install(drive, kClassic, "Ferrari 312");
              Install(drive, kClassic, "Red Wheels");
          },
          install("C:\\addons\\Ferrari 1968", "Ferrari 312B"), kCompleteCar, false, true, true}},
        {"accessory over the game's car",
         {[](TempDrive& drive) { MakeLiveries(drive.DriveC()); }, install(kLiveries, "Blue Livery"),
          "Blue Livery", false, false, false}},
        {"accessory over the program's car, overwriting its files",
         {[](TempDrive& drive) { Install(drive, kClassic, "Ferrari 312"); },
          install(kClassic, "Red Wheels"), "Red Wheels", false, false, false}},
        {"removing the program's car with its accessories",
         {[](TempDrive& drive) {
              Install(drive, kClassic, "Ferrari 312");
              Install(drive, kClassic, "Red Wheels");
              Install(drive, kClassic, "Chrome Mirrors");
          },
          remove(kCompleteCar), kCompleteCar, true, true, true}},
        {"removing an accessory puts the game's files back",
         {[](TempDrive& drive) {
              MakeLiveries(drive.DriveC());
              Install(drive, kLiveries, "Blue Livery");
          },
          remove("Blue Livery"), "Blue Livery", true, true, false}},
        {"removing an accessory hands its copy on to a later one",
         {InstallStripesOverLiveries, remove("Blue Livery"), "Blue Livery", true, true, false}},
    };
}

TEST(InstallerFaults, EveryOperationSurvivesAFaultAtEachStep) {
    for (const Row& row : Rows()) {
        SCOPED_TRACE(row.what);
        Sweep(row.s);
    }
}

// Cuts the power before each step in turn, on a disk that keeps only what was synced. Once the
// success message is shown, everything is on the disk; after a cut at any earlier step, no file
// of the game's is lost, and the operation (or the removal) runs to its end from what the disk
// kept.
void PowerCutSweep(const Scenario& scenario) {
    for (int step = 1; step < 1000; ++step) {
        TempDrive drive;
        PrepareAddOns(drive);
        scenario.Prepare(drive);
        drive.Ui.Messages.clear();
        drive.Ui.Answers = {true};
        const GameGuard guard = GameGuard::Take({drive.DriveC()}, drive.Native("C:\\sierra\\gpl"));
        drive.Pv.Env.Faults = std::make_shared<platform::FaultPlan>();
        PowerCut cut(drive.Native("C:\\sierra\\gpl"), *drive.Pv.Env.Faults, step);
        scenario.Operation(drive);
        if (!cut.Happened()) {
            ASSERT_EQ(drive.Ui.Messages.size(), 1u) << drive.Ui.Transcript();
            EXPECT_EQ(cut.Unsynced(), "") << "not on the disk at " << drive.Ui.Messages[0].Text;
            return;
        }
        SCOPED_TRACE("power cut at step " + std::to_string(step) + ": " + cut.Step());
        EXPECT_TRUE(drive.Ui.Messages.empty()) << "a cut run told of success";
        cut.Restore();
        drive.Pv.Env.Faults.reset();
        drive.Ui.Traps.clear();
        drive.Ui.Answers = {true, true};
        // Removed where the disk kept it listed; an installation then runs again.
        if (Listed(drive, scenario.Item)) {
            EXPECT_TRUE(Remove(drive, scenario.Item));
        }
        if (!scenario.Removal) {
            scenario.Operation(drive);
            EXPECT_TRUE(drive.Ui.Traps.empty()) << drive.Ui.Transcript();
        }
        std::vector<std::string> lost = guard.Lost();
        if (scenario.RecordsMayGo || scenario.Removal)
            std::erase_if(lost, [&](const std::string& path) {
                return path.rfind(drive.Native(kFerrari).generic_string() + "/zorvex", 0) == 0;
            });
        EXPECT_EQ(lost, std::vector<std::string>{});
        EXPECT_EQ(guard.LiveCarFolderProblem(), "");
        if (::testing::Test::HasFailure()) return;
    }
    ADD_FAILURE() << "the operation never completed";
}

TEST(InstallerFaults, APowerCutAtAnyStepLosesNothingAMessagePromised) {
    for (const Row& row : Rows()) {
        SCOPED_TRACE(row.what);
        PowerCutSweep(row.s);
    }
}

}  // namespace
}  // namespace movrand::test
