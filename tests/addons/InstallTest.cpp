#include <gtest/gtest.h>

#include <functional>

#include "AddOnFixture.h"
#include "addons/AddOnNames.h"
#include "addons/InstalledItems.h"
#include "addons/SafeNames.h"

namespace movrand::test {
namespace {

constexpr int kFerrariPosition = 4;
const std::string kCars = "C:\\sierra\\gpl\\cars\\";
const auto kAsIs = [](AddOnDrive&) {};

// Files below C:\sierra\gpl\cars by their path there, with the bytes they must hold ("" for a
// file that must not exist); "@entry name" stands for that file of an add-on folder.
struct Expected {
    std::string Path;
    std::string Bytes;
};

void Check(AddOnDrive& drive, const std::vector<Expected>& files) {
    for (const auto& [path, bytes] : files) {
        if (bytes.empty()) {
            EXPECT_FALSE(drive.Exists(kCars + path)) << path;
        } else if (bytes[0] == '@') {
            const std::string source = "C:\\addons\\" + bytes.substr(1);
            EXPECT_EQ(drive.Read(kCars + path), drive.Read(source)) << path;
        } else {
            EXPECT_EQ(drive.Read(kCars + path), bytes) << path;
        }
    }
}

// One installation: the state before, the six inputs (as "Add Files" forms them unless `direct`
// gives them), the outcome, the last thing said (message or error report) and the files after.
// An installation that does not go through changes nothing at all.
struct InstallRow {
    const char* what;
    std::function<void(AddOnDrive&)> before;
    std::string folder, entry;
    InstallOutcome outcome;
    std::string said;
    std::vector<Expected> files;
    std::function<InstallOutcome(AddOnDrive&)> direct = nullptr;
};

std::string Record(const std::string& lines, int order) {
    return lines + "\r\n[movrand]\r\norder = " + std::to_string(order) + "\r\n";
}

TEST(InstallAddOnFiles, EachKindOfInstallation) {
    const auto programCar = [](AddOnDrive& d) { d.Install(kClassic, "Ferrari 312"); };
    const std::string added = "The new accessory files have been added.";
    const InstallRow rows[] = {
        {"a car over the game's car moves it into a backup",
         kAsIs,
         kClassic,
         "Ferrari 312",
         InstallOutcome::Installed,
         "The new car has been added.",
         {{"cars67\\ferrari\\fer9.3do", "@Ferrari 312 Classic\\Ferrari 312\\fer9.3do"},
          {"cars67\\ferrari\\zorvexcardesc.zorvex", "@Ferrari 312 Classic\\zorvexferrari1.zorvex"},
          {"cars67\\ferrari\\zorvexcarbmp.bmp", "@Ferrari 312 Classic\\Ferrari 312\\zorvex.bmp"},
          {"cars67\\ferrari\\zorvex.bmp", ""},
          {"replacedcars\\ferrari5122026749\\ferrari.dat", ""},
          {"replacedcars\\ferrari5122026749\\fer.3do", "generic model ferrari\r\n"}}},
        {"an accessory over the program's car backs up the car's file it overwrites",
         programCar,
         kClassic,
         "Red Wheels",
         InstallOutcome::Installed,
         added,
         {{"cars67\\ferrari\\zorvexacc_Red Wheels.zorvex",
           Record(
               "[standardfile]\r\nstandard = C:\\sierra\\gpl\\cars\\replacedaccessories\\"
               "ferrari5122026749\\\r\n\r\n[accessories]\r\nfile1 = fer9.mip\r\n"
               "fer9.mip = replaced existing\r\nfile2 = wheels.mip\r\nwheels.mip = just added\r\n",
               1)},
          {"replacedaccessories\\ferrari5122026749\\fer9.mip",
           "@Ferrari 312 Classic\\Ferrari 312\\fer9.mip"},
          {"cars67\\ferrari\\fer9.mip", "@Ferrari 312 Classic\\Red Wheels\\fer9.mip"},
          {"cars67\\ferrari\\zorvexjpg_Red Wheels.jpg",
           "@Ferrari 312 Classic\\Red Wheels\\zorvex.jpg"},
          {"cars67\\ferrari\\zorvexdesc_Red Wheels.zorvex",
           "@Ferrari 312 Classic\\zorvexferrari2.zorvex"}}},
        {"an accessory replacing nothing keeps the file list alone; pictures are not recorded",
         [](AddOnDrive& d) {
             d.MakeOneEntry("Decals", "Ferrari", "Decals", "Accessory",
                            {{"a.mip", "a"}, {"ZORVEX.BMP", "bmp"}, {"new.mip", "n"}}, "D.\r\n");
         },
         "C:\\addons\\Decals",
         "Decals",
         InstallOutcome::Installed,
         added,
         {{"cars67\\ferrari\\zorvexacc_Decals.zorvex",
           Record("[accessories]\r\nfile1 = a.mip\r\na.mip = just added\r\nfile2 = new.mip\r\n"
                  "new.mip = just added\r\n",
                  1)},
          {"cars67\\ferrari\\zorvexbmp_Decals.bmp", "bmp"},
          {"cars67\\ferrari\\ZORVEX.BMP", ""},
          {"replacedaccessories", ""}}},
        {"the team chosen in the team window names the folder and the description",
         [](AddOnDrive& d) { d.Ui.Teams = {"Honda"}; },
         kHelmets,
         "Helmet Pack",
         InstallOutcome::Installed,
         added,
         {{"cars67\\murasama\\helmet1.mip", "helmet one\r\n"},
          {"cars67\\murasama\\zorvexdesc_Helmet Pack.zorvex",
           "@Universal Helmets\\zorvexmurasama1.zorvex"}}},
        {"a car without a marker entry asks to keep the folder",
         [](AddOnDrive& d) { d.Write("C:\\addons\\loose\\My Car\\fer9.3do", "loose"); },
         "C:\\addons\\loose",
         "My Car",
         InstallOutcome::Installed,
         "The new car has been added.",
         {{"cars67\\ferrari\\zorvexcardesc.zorvex", "DO NOT DELETE OR MOVE THIS FOLDER\r\n"}},
         [](AddOnDrive& d) {
             return InstallAddOnFiles(d.Pv, d.Ui, false, "ferrari", "C:\\addons\\loose\\My Car",
                                      "My Car", "", "C:\\addons\\loose");
         }},
        {"a car over a team folder holding only the .dat makes no backup",
         [](AddOnDrive& d) {
             for (const auto& [name, bytes] : d.Snapshot(kFerrari))
                 if (name != "ferrari.dat") d.Pv.Files().DeleteFile(Ferrari(name));
         },
         kClassic,
         "Ferrari 312",
         InstallOutcome::Installed,
         "The new car has been added.",
         {{"replacedcars", ""}}},
        {"an accessory for a car that is not there",
         kAsIs,
         kClassic,
         "Red Wheels",
         InstallOutcome::Refused,
         "The Accessories cannot be added as they are to be used with a complete car that is not in the GPL Car Folder.",
         {}},
        {"a description file the marker names is missing",
         [](AddOnDrive& d) {
             d.Pv.Files().DeleteFile(std::string(kClassic) + "\\zorvexferrari1.zorvex");
         },
         kClassic,
         "Ferrari 312",
         InstallOutcome::Failed,
         "53 File not found",
         {}},
        {"a read-only game file in the accessory's way",
         [](AddOnDrive& d) {
             d.Pv.Files().SetReadOnly(Ferrari("fer9.mip"), true);
             d.MakeOneEntry("Blue", "ferrari", "Blue", "accessory",
                            {{"a.mip", "a"}, {"fer9.mip", "b"}}, "B.\r\n");
         },
         "C:\\addons\\Blue",
         "Blue",
         InstallOutcome::Failed,
         "70 Permission denied",
         {}},
        {"an entry name that leads outside the add-on",
         kAsIs,
         kClassic,
         "..",
         InstallOutcome::Refused,
         "\"..\"",
         {},
         [](AddOnDrive& d) {
             return InstallAddOnFiles(d.Pv, d.Ui, true, "ferrari", "C:\\addons\\..", "..", "",
                                      "C:\\addons");
         }},
        {"a file name the accessory record cannot hold",
         [](AddOnDrive& d) {
             d.MakeOneEntry("Odd", "ferrari", "Odd", "accessory", {{"a=b.mip", "x"}}, "O.\r\n");
         },
         "C:\\addons\\Odd",
         "Odd",
         InstallOutcome::Refused,
         "\"a=b.mip\"",
         {}},
        {"an add-on folder that is the team folder, through another drive",
         [](AddOnDrive& d) {
             d.Write(Ferrari("Sub\\new.3do"), "new");
             d.AddDrive('D', d.DriveC() / "sierra", false);
         },
         "",
         "Sub",
         InstallOutcome::Refused,
         "team folder",
         {},
         [](AddOnDrive& d) {
             return InstallAddOnFiles(d.Pv, d.Ui, false, "ferrari",
                                      "D:\\gpl\\cars\\cars67\\ferrari\\Sub", "Sub", "",
                                      "D:\\gpl\\cars\\cars67\\ferrari");
         }},
    };
    for (const InstallRow& row : rows) {
        SCOPED_TRACE(row.what);
        AddOnDrive drive;
        row.before(drive);
        drive.Ui.Messages.clear();
        const Files before = drive.Snapshot("C:\\");
        const InstallOutcome outcome =
            row.direct ? row.direct(drive) : drive.Install(row.folder, row.entry);
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

// Names the accessory record cannot give back unchanged are refused; code page 1252 is fine.
TEST(InstallAddOnFiles, NamesTheRecordCanHold) {
    for (const std::string name : {"a=b.mip", "x;y.mip", "file2", "FILE12", "[x].mip", " lead.mip",
                                   "star*.mip", "\xC5\x81od\xC5\xBA.mip", "'q'", "tab\t.mip"})
        EXPECT_FALSE(RecordCanCarry(name)) << name;
    EXPECT_TRUE(RecordCanCarry("caf\xC3\xA9 [1].mip"));
}

// The car first, then the accessory records in listing order (the prefix in exactly its own
// letter case); each shown with its picture (the bitmap first) or the notice, and its text.
TEST(ListInstalledItems, ListsAndShowsWhatTheProgramInstalled) {
    AddOnDrive drive;
    for (const char* entry : {"Ferrari 312", "Red Wheels", "Chrome Mirrors"})
        ASSERT_EQ(drive.Install(kClassic, entry), InstallOutcome::Installed);
    drive.Write(Ferrari("ZORVEXACC_Other.zorvex"), "[accessories]\r\n");
    drive.Pv.Files().DeleteFile(Ferrari("zorvexbmp_Chrome Mirrors.bmp"));
    const InstalledItemsView view = ListInstalledItems(drive.Pv, drive.Ui, kFerrariPosition);
    EXPECT_EQ(view.Items, (std::vector<std::string>{kCompleteCar, "Chrome Mirrors", "Red Wheels"}));
    EXPECT_EQ(view.TeamPictureId, 109);
    EXPECT_TRUE(view.RemoveEnabled);
    EXPECT_EQ(view.Shown.PicturePath, Ferrari("zorvexcarbmp.bmp"));
    EXPECT_EQ(view.Shown.Description, "Ferrari 312 of 1967.For the Ferrari team.");
    const InstalledItemView wheels =
        ShowInstalledItem(drive.Pv, drive.Ui, kFerrariPosition, "Red Wheels");
    EXPECT_EQ(wheels.PicturePath, Ferrari("zorvexjpg_Red Wheels.jpg"));
    EXPECT_EQ(wheels.Description, "Red wheels for the Ferrari 312.");
    EXPECT_TRUE(
        ShowInstalledItem(drive.Pv, drive.Ui, kFerrariPosition, "Chrome Mirrors").NoticeVisible);
    // A team folder that is not there is reported and lists nothing.
    drive.Pv.Files().DeleteFolder("C:\\sierra\\gpl\\cars\\cars67\\brm", true);
    EXPECT_FALSE(ListInstalledItems(drive.Pv, drive.Ui, 1).RemoveEnabled);
    ASSERT_EQ(drive.Ui.Traps.size(), 1u);
    EXPECT_EQ(drive.Ui.Traps[0].Text, "76\r\nPath not found");
    EXPECT_EQ(drive.Ui.Traps[0].Title, "MovrandError");
}

// One removal: the state before, the item, the answer, whether it went, the files after.
struct RemovalRow {
    const char* what;
    std::function<void(AddOnDrive&)> before;
    std::string item;
    bool yes;
    std::vector<std::string> listedAfter;
    std::vector<Expected> files;
};

TEST(RemoveAddOnFiles, EachKindOfRemoval) {
    const auto classic = [](AddOnDrive& d) {
        for (const char* entry : {"Ferrari 312", "Red Wheels", "Chrome Mirrors"})
            ASSERT_EQ(d.Install(kClassic, entry), InstallOutcome::Installed);
    };
    const RemovalRow rows[] = {
        {"no removes nothing",
         classic,
         kCompleteCar,
         false,
         {kCompleteCar, "Chrome Mirrors", "Red Wheels"},
         {}},
        {"the car takes all but the .dat, read-only files too; the game's car stays in its backup",
         [&](AddOnDrive& d) {
             classic(d);
             d.Pv.Files().SetReadOnly(Ferrari("fer9.3do"), true);
         },
         kCompleteCar,
         true,
         {},
         {{"cars67\\ferrari\\fer9.3do", ""},
          {"cars67\\ferrari\\zorvexacc_Red Wheels.zorvex", ""},
          {"cars67\\ferrari\\ferrari.dat", "team data of ferrari\r\n"},
          {"replacedcars\\ferrari5122026749\\fer9.3do", "model of car 9\r\n"}}},
        {"an accessory puts back the car's file it replaced",
         classic,
         "Red Wheels",
         true,
         {kCompleteCar, "Chrome Mirrors"},
         {{"cars67\\ferrari\\fer9.mip", "@Ferrari 312 Classic\\Ferrari 312\\fer9.mip"},
          {"cars67\\ferrari\\wheels.mip", ""},
          {"cars67\\ferrari\\zorvexdesc_Red Wheels.zorvex", ""},
          {"cars67\\ferrari\\zorvexjpg_Red Wheels.jpg", ""}}},
        {"a record's file list ends at the first missing number",
         [](AddOnDrive& d) {
             for (const char* name : {"one.mip", "three.mip", "zorvexbmp_Gap.bmp"})
                 d.Write(Ferrari(name), "x");
             d.Write(Ferrari("zorvexacc_Gap.zorvex"),
                     "[accessories]\r\nfile1 = one.mip\r\none.mip = just added\r\n"
                     "file3 = three.mip\r\nthree.mip = just added\r\n");
         },
         "Gap",
         true,
         {},
         {{"cars67\\ferrari\\one.mip", ""},
          {"cars67\\ferrari\\three.mip", "x"},
          {"cars67\\ferrari\\zorvexbmp_Gap.bmp", ""}}},
    };
    for (const RemovalRow& row : rows) {
        SCOPED_TRACE(row.what);
        AddOnDrive drive;
        row.before(drive);
        drive.Ui.Messages.clear();
        const Files before = drive.Snapshot("C:\\");
        drive.Ui.Answers = {row.yes};
        const RemovalResult result =
            RemoveAddOnFiles(drive.Pv, drive.Ui, kFerrariPosition, row.item);
        const bool car = row.item == kCompleteCar;
        const platform::Question& asked = drive.Ui.Questions.at(0);
        EXPECT_EQ(asked.Message, car ? "Are you sure you want to remove this car?"
                                     : "Are you sure you want to remove this accessory?");
        EXPECT_EQ(asked.YesTooltip,
                  car ? " Yes, Remove this Add-on Car " : " Yes, Remove this Add-on Accessory ");
        EXPECT_EQ(result.Removed, row.yes);
        if (!row.yes) {
            EXPECT_EQ(drive.Snapshot("C:\\"), before);
        }
        if (row.yes) {
            EXPECT_EQ(drive.Ui.Messages.back().Text,
                      car ? "The Car has been removed." : "The Accessory has been removed.");
        }
        EXPECT_EQ(ListInstalledItems(drive.Pv, drive.Ui, kFerrariPosition).Items, row.listedAfter);
        Check(drive, row.files);
        EXPECT_TRUE(drive.Ui.Traps.empty()) << drive.Ui.Transcript();
    }
}

}  // namespace
}  // namespace movrand::test
