// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <functional>

#include "AddOnFixture.h"
#include "addons/AddOnNames.h"
#include "addons/InstalledItems.h"
#include "history/HistoryPlace.h"
#include "platform/FileKeeping.h"
#include "platform/RuntimeError.h"

namespace movrand::test {
namespace {

constexpr int kFerrariPosition = 4;                              // in the Remove mode team list
using Paths = std::vector<std::pair<std::string, std::string>>;  // below cars\, "" for absent
using Step = std::function<void(AddOnDrive&)>;
const std::string kCars = "C:\\sierra\\gpl\\cars\\";

void Check(AddOnDrive& drive, const Paths& files) {
    for (const auto& [path, bytes] : files)
        EXPECT_EQ(drive.Exists(kCars + path) ? drive.Read(kCars + path) : "", bytes) << path;
}

const std::string kAdded = "The new accessory files have been added.";
const std::string kRecord =
    "[standardfile]\r\nstandard = C:\\sierra\\gpl\\cars\\replacedaccessories\\ferrari5122026749\\"
    "\r\n\r\n[accessories]\r\nfile1 = fer9.mip\r\nfer9.mip = replaced existing\r\nfile2 = "
    "wheels.mip\r\nwheels.mip = just added\r\n\r\n[movrand]\r\norder = 1\r\nsize1 = 29\r\n"
    "hash1 = f080538766f204c6\r\nsize2 = 12\r\nhash2 = fbb4e524d7a85f5f\r\n";

// One installation: the state before, the entry (or the six inputs given directly), the
// outcome, what was said (message or error report) and files after. One that does not go
// through changes nothing at all.
TEST(InstallAddOnFiles, EachKindOfInstallation) {
    const Step asIs = [](AddOnDrive&) {};
    const Step programCar = [](AddOnDrive& d) { d.Install(kClassic, "Ferrari 312"); };
    const auto entry = [](const char* name, std::vector<std::pair<std::string, std::string>> f) {
        return [=](AddOnDrive& d) { d.MakeOneEntry(name, "ferrari", name, "accessory", f, "."); };
    };
    struct Row {
        const char* what;
        Step before;
        std::string folder, entry;
        InstallOutcome outcome;
        std::string said;
        Paths files = {};
    };
    const Row rows[] = {
        {"a car over the game's car moves it into a backup",
         asIs,
         kClassic,
         "Ferrari 312",
         InstallOutcome::Installed,
         "The new car has been added.",
         {{"cars67\\ferrari\\fer9.3do", "add-on model of car 9\r\n"},
          {"cars67\\ferrari\\zorvexcardesc.zorvex",
           "Ferrari 312 of 1967.\r\nFor the Ferrari team.\r\n"},
          {"cars67\\ferrari\\zorvex.bmp", ""},
          {"replacedcars\\ferrari5122026749\\fer.3do", "generic model ferrari\r\n"},
          {"replacedcars\\ferrari5122026749\\ferrari.dat", ""}}},
        {"an accessory over the program's car backs up the car's file",
         programCar,
         kClassic,
         "Red Wheels",
         InstallOutcome::Installed,
         kAdded,
         {{"cars67\\ferrari\\zorvexacc_Red Wheels.zorvex", kRecord},
          {"replacedaccessories\\ferrari5122026749\\fer9.mip", "add-on texture of car 9\r\n"},
          {"cars67\\ferrari\\fer9.mip", "red wheels texture of car 9\r\n"},
          {"cars67\\ferrari\\zorvexdesc_Red Wheels.zorvex",
           "Red wheels for the Ferrari 312.\r\n"}}},
        {"replacing nothing, the record is the file list; pictures are not recorded",
         entry("Decals", {{"a.mip", "a"}, {"ZORVEX.BMP", "bmp"}}),
         "C:\\addons\\Decals",
         "Decals",
         InstallOutcome::Installed,
         kAdded,
         {{"cars67\\ferrari\\zorvexacc_Decals.zorvex",
           "[accessories]\r\nfile1 = a.mip\r\na.mip = just added\r\n\r\n[movrand]\r\norder = 1\r\n"
           "size1 = 1\r\nhash1 = af63dc4c8601ec8c\r\n"},
          {"cars67\\ferrari\\zorvexbmp_Decals.bmp", "bmp"},
          {"cars67\\ferrari\\ZORVEX.BMP", ""}}},
        {"an accessory for a car that is not there", asIs, kClassic, "Red Wheels",
         InstallOutcome::Refused, "cannot be added as they are to be used with a complete car"},
        {"a description file the marker names is missing",
         [](AddOnDrive& d) {
             d.Pv.Files().DeleteFile(std::string(kClassic) + "\\zorvexferrari1.zorvex");
         },
         kClassic, "Ferrari 312", InstallOutcome::Failed,
         "53 Cannot read C:\\addons\\Ferrari 312 Classic\\zorvexferrari1.zorvex: file not found"},
        {"a read-only game file in the accessory's way",
         [](AddOnDrive& d) {
             d.Pv.Files().SetReadOnly(Ferrari("fer9.mip"), true);
             d.MakeOneEntry("Blue", "ferrari", "Blue", "accessory", {{"a", "a"}, {"fer9.mip", "b"}},
                            ".");
         },
         "C:\\addons\\Blue", "Blue", InstallOutcome::Failed,
         "70 Cannot write C:\\sierra\\gpl\\cars\\cars67\\ferrari\\fer9.mip: permission denied"},
        {"a file name the accessory record cannot hold", entry("Odd", {{"a=b.mip", "x"}}),
         "C:\\addons\\Odd", "Odd", InstallOutcome::Refused, "\"a=b.mip\""},
        {"an entry name that leads outside the add-on", asIs, "C:\\addons", "..",
         InstallOutcome::Refused, "\"..\""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        AddOnDrive drive;
        row.before(drive);
        drive.Ui.Messages.clear();
        const Files before = drive.Snapshot("C:\\");
        const InstallOutcome outcome =
            row.entry == ".." ? InstallAddOnFiles(drive.Pv, drive.Ui, true, "ferrari",
                                                  "C:\\addons\\..", "..", "", "C:\\addons")
                              : drive.Install(row.folder, row.entry);
        EXPECT_EQ(outcome, row.outcome) << drive.Ui.Transcript();
        const std::string said = outcome == InstallOutcome::Failed ? drive.Ui.Traps.at(0).Text
                                                                   : drive.Ui.Messages.at(0).Text;
        EXPECT_NE(said.find(row.said), std::string::npos) << said;
        if (outcome != InstallOutcome::Installed) {
            EXPECT_EQ(drive.Snapshot("C:\\"), before);
        }
        Check(drive, row.files);
    }
}

// One removal, answered yes, after the demo car and both accessories: the item, what is listed
// (records by their prefix in exactly its letter case) and what the files hold after.
TEST(RemoveAddOnFiles, EachKindOfRemoval) {
    struct Row {
        const char* what;
        Step before;
        std::string item;
        std::vector<std::string> listed;
        Paths files;
    };
    const Row rows[] = {
        {"the car takes all but the .dat, read-only files too; the game's car stays backed up",
         [](AddOnDrive& d) { d.Pv.Files().SetReadOnly(Ferrari("fer9.3do"), true); },
         kCompleteCar,
         {},
         {{"cars67\\ferrari\\fer9.3do", ""},
          {"cars67\\ferrari\\zorvexacc_Red Wheels.zorvex", ""},
          {"cars67\\ferrari\\ferrari.dat", "team data of ferrari\r\n"},
          {"replacedcars\\ferrari5122026749\\fer9.3do", "model of car 9\r\n"}}},
        {"a record's file list ends at the first missing number",
         [](AddOnDrive& d) {
             for (const char* name : {"one.mip", "three.mip", "ZORVEXACC_Other.zorvex"})
                 d.Write(Ferrari(name), "x");
             d.Write(Ferrari("zorvexacc_Gap.zorvex"),
                     "[accessories]\r\nfile1 = one.mip\r\none.mip = just added\r\n"
                     "file3 = three.mip\r\nthree.mip = just added\r\n");
         },
         "Gap",
         {kCompleteCar, "Chrome Mirrors", "Red Wheels"},
         {{"cars67\\ferrari\\one.mip", ""}, {"cars67\\ferrari\\three.mip", "x"}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        AddOnDrive drive;
        for (const char* entry : {"Ferrari 312", "Red Wheels", "Chrome Mirrors"})
            ASSERT_EQ(drive.Install(kClassic, entry), InstallOutcome::Installed);
        row.before(drive);
        drive.Ui.Answers = {true};
        ASSERT_TRUE(RemoveAddOnFiles(drive.Pv, drive.Ui, kFerrariPosition, row.item).Removed);
        EXPECT_EQ(drive.Ui.Messages.back().Text, row.item == kCompleteCar
                                                     ? "The Car has been removed."
                                                     : "The Accessory has been removed.");
        EXPECT_EQ(ListInstalledItems(drive.Pv, drive.Ui, kFerrariPosition).Items, row.listed);
        Check(drive, row.files);
        EXPECT_TRUE(drive.Ui.Traps.empty()) << drive.Ui.Transcript();
    }
}

}  // namespace
}  // namespace movrand::test

namespace movrand::test {
namespace {

// A file of the entry that another program turns into a link after the installer looked at it
// (here while the file before it is copied) is not followed: nothing of the outside file reaches
// the team folder, and the error names the file.
TEST(InstallAddOnFiles, AFileSwappedForALinkDuringTheCopyIsNotFollowed) {
    AddOnDrive drive;
    drive.Write("C:\\secret\\key", "private key");
    drive.MakeOneEntry("Race", "ferrari", "Race", "car", {{"a.3do", "a"}, {"b.3do", "b"}}, ".");
    const std::filesystem::path b = drive.Native("C:\\addons\\Race\\Race\\b.3do");
    drive.Pv.Env.Faults = std::make_shared<platform::FaultPlan>();
    drive.Pv.Env.Faults->BeforeEach([&](const std::string& what) {
        if (what.find("Race\\a.3do") == std::string::npos) return;
        std::filesystem::remove(b);
        std::filesystem::create_symlink(drive.Native("C:\\secret\\key"), b);
    });
    EXPECT_EQ(drive.Install("C:\\addons\\Race", "Race"), InstallOutcome::Failed);
    EXPECT_NE(drive.Ui.Traps.at(0).Text.find("C:\\addons\\Race\\Race\\b.3do: it is a link"),
              std::string::npos)
        << drive.Ui.Traps.at(0).Text;
    for (const auto& [name, bytes] : drive.Snapshot(kFerrari))
        EXPECT_NE(bytes, "private key") << name;
}

// A car installed again over itself leaves its files in place; a file changed since, even with
// its size and time kept, is written again.
TEST(InstallAddOnFiles, TheSameCarAgainRewritesOnlyWhatDiffers) {
    namespace fs = std::filesystem;
    AddOnDrive drive;
    ASSERT_EQ(drive.Install(kClassic, "Ferrari 312"), InstallOutcome::Installed);
    const fs::path model = drive.Native(Ferrari("fer9.3do"));
    const fs::path texture = drive.Native(Ferrari("fer9.mip"));
    fs::create_hard_link(model, drive.DriveC() / "model link");
    const auto time = fs::last_write_time(texture);
    std::string changed = drive.Read(Ferrari("fer9.mip"));
    changed[0] ^= 1;
    drive.Write(Ferrari("fer9.mip"), changed);
    fs::last_write_time(texture, time);
    ASSERT_EQ(drive.Install(kClassic, "Ferrari 312"), InstallOutcome::Installed);
    EXPECT_EQ(fs::hard_link_count(model), 2u);
    EXPECT_EQ(drive.Read(Ferrari("fer9.mip")), "add-on texture of car 9\r\n");
}

// The installation's step records each file it wrote with the fingerprint of the bytes there.
TEST(InstallAddOnFiles, TheStepRecordsTheFingerprintOfEachFileWritten) {
    AddOnDrive drive;
    ASSERT_EQ(drive.Install(kClassic, "Ferrari 312"), InstallOutcome::Installed);
    const history::HistoryPlace place(drive.Pv);
    int files = 0;
    for (const history::StepChange& c : place.ReadStep(place.ReadIndex().back().Number).Changes)
        if (c.Kind == history::StepChange::Type::Path && c.After.IsFile() && ++files) {
            EXPECT_EQ(c.After.Hash, platform::FastHashOf(drive.Native(c.Path))) << c.Path;
        }
    EXPECT_GT(files, 3);
}

// A disk that fills while the accessory's backup is made ends the installation with the game's
// files as they were and no empty backup folder left behind.
TEST(InstallAddOnFiles, AFailedBackupLeavesNoEmptyBackupFolder) {
    AddOnDrive drive;
    drive.MakeOneEntry("Blue", "ferrari", "Blue", "accessory", {{"fer9.mip", "b"}}, ".");
    const Files before = drive.Snapshot(kFerrari);
    drive.Pv.Env.Faults = std::make_shared<platform::FaultPlan>();
    drive.Pv.Env.Faults->BeforeEach([](const std::string& what) {
        if (what.find("replacedaccessories") != std::string::npos && what.rfind("copy", 0) == 0)
            throw platform::RuntimeError(platform::kDiskFull);
    });
    EXPECT_EQ(drive.Install("C:\\addons\\Blue", "Blue"), InstallOutcome::Failed);
    EXPECT_EQ(drive.Snapshot(kFerrari), before);
    EXPECT_FALSE(drive.Exists("C:\\sierra\\gpl\\cars\\replacedaccessories"));
}

// A car description in the team folder that is a link to a file outside the game: the new
// description is never written through it.
TEST(InstallAddOnFiles, TheCarDescriptionIsNotWrittenThroughALink) {
    AddOnDrive drive;
    drive.Write("C:\\secret\\key", "private key");
    drive.Write("C:\\loose\\Car\\a.3do", "a");
    std::filesystem::create_symlink(drive.Native("C:\\secret\\key"),
                                    drive.Native(Ferrari("zorvexcardesc.zorvex")));
    InstallAddOnFiles(drive.Pv, drive.Ui, false, "ferrari", "C:\\loose\\Car", "Car", "",
                      "C:\\loose");
    EXPECT_EQ(drive.Read("C:\\secret\\key"), "private key");
}

}  // namespace
}  // namespace movrand::test
