#include <gtest/gtest.h>

#include "AddOnFixture.h"
#include "DemoInstallation.h"
#include "addons/InstallAddOnFiles.h"

namespace movrand::test {
namespace {

// Each refusal is told in the message window before anything is written.
class Refusals : public ::testing::Test {
  protected:
    void ExpectRefused(InstallOutcome outcome, const std::string& mentioned) {
        EXPECT_EQ(outcome, InstallOutcome::Refused);
        EXPECT_EQ(drive.Snapshot("C:\\"), before);
        ASSERT_EQ(drive.Ui.Messages.size(), 1u) << drive.Ui.Transcript();
        EXPECT_NE(drive.Ui.Messages[0].Text.find(mentioned), std::string::npos)
            << drive.Ui.Messages[0].Text;
        EXPECT_TRUE(drive.Ui.Traps.empty());
        drive.Ui.Messages.clear();
    }
    // An accessory entry folder holding one file of the given name (written natively, as an
    // archive unpacked on this system could leave it).
    std::string AccessoryWithFile(const std::string& name) {
        const std::string folder = drive.MakeOneEntry("Odd", "ferrari", "Odd", "accessory",
                                                      {{"ok.mip", "ok"}}, "Odd.\r\n");
        std::filesystem::remove_all(drive.Native(folder + "\\Odd"));
        demo::WriteFile(drive.Native(folder + "\\Odd") / name, "odd");
        before = drive.Snapshot("C:\\");
        return folder;
    }

    AddOnDrive drive;
    Files before = drive.Snapshot("C:\\");
};

TEST_F(Refusals, EntryNamesThatLeadOutsideTheFolders) {
    drive.Write("C:\\addons\\zorvexcar.zorvex", "[header]\r\nteam = ferrari\r\n");
    before = drive.Snapshot("C:\\");
    for (const std::string name : {"..", ".", "a\\b", "a/b", "c:x", "..\\..\\sierra"}) {
        ExpectRefused(InstallAddOnFiles(drive.Pv, drive.Ui, false, "ferrari",
                                        kClassic + std::string("\\") + name, name, "", kClassic),
                      "\"" + name + "\"");
        ExpectRefused(InstallAddOnFiles(drive.Pv, drive.Ui, true, "ferrari", "C:\\addons\\" + name,
                                        name, "", "C:\\addons"),
                      "\"" + name + "\"");
    }
    // No entry at all (a marker without entries): the team is not even asked for.
    ExpectRefused(
        InstallAddOnFiles(drive.Pv, drive.Ui, false, "", "C:\\addons\\", "", "", "C:\\addons"),
        "No add-on entry");
    EXPECT_EQ(drive.Ui.TeamCalls, 0);
}

TEST_F(Refusals, FileNamesThatAreNoPlainNames) {
    for (const std::string name : {"x:y.mip", "a\\b.mip", "..\\up.mip"}) {
        const std::string folder = AccessoryWithFile(name);
        ExpectRefused(drive.Install(folder, "Odd"), "\"" + name + "\"");
        ExpectRefused(InstallAddOnFiles(drive.Pv, drive.Ui, false, "ferrari", folder + "\\Odd",
                                        "Odd", "", folder),
                      "\"" + name + "\"");
    }
}

TEST_F(Refusals, FileNamesTheAccessoryRecordCannotHold) {
    for (const std::string name : {"a=b.mip", "x;y.mip", "file2", "FILE12", "[x].mip", " lead.mip",
                                   "star*.mip", "\xC5\x81od\xC5\xBA.mip", "'q'", "tab\t.mip"}) {
        const std::string folder = AccessoryWithFile(name);
        ExpectRefused(drive.Install(folder, "Odd"), "\"" + name + "\"");
    }
    // Names in code page 1252 are fine, and a complete car keeps no record of its files.
    const std::string folder = AccessoryWithFile("caf\xC3\xA9.mip");
    EXPECT_EQ(drive.Install(folder, "Odd"), InstallOutcome::Installed) << drive.Ui.Transcript();
    EXPECT_EQ(drive.Read(Ferrari("zorvexacc_Odd.zorvex")),
              "[accessories]\r\nfile1 = caf\xE9.mip\r\ncaf\xE9.mip = just added\r\n");
    const std::string car = AccessoryWithFile("a=b.mip");
    EXPECT_EQ(
        InstallAddOnFiles(drive.Pv, drive.Ui, false, "ferrari", car + "\\Odd", "Odd", "", car),
        InstallOutcome::Installed);
}

TEST_F(Refusals, FilesOfOneNameInTwoLetterCases) {
    const std::string folder = AccessoryWithFile("Twin.mip");
    demo::WriteFile(drive.Native(folder + "\\Odd") / "twin.mip", "other twin");
    before = drive.Snapshot("C:\\");
    ExpectRefused(drive.Install(folder, "Odd"), "win.mip\"");
}

TEST_F(Refusals, AnAddOnFolderThatIsTheTeamFolder) {
    drive.Write(Ferrari("zorvexcar.zorvex"),
                "[header]\r\nteam = ferrari\r\n[files]\r\nfile1desc = Sub\r\n");
    drive.Write(Ferrari("Sub\\new.3do"), "new");
    before = drive.Snapshot("C:\\");
    ExpectRefused(InstallAddOnFiles(drive.Pv, drive.Ui, false, "ferrari",
                                    "C:\\SIERRA\\GPL\\CARS\\CARS67\\FERRARI\\Sub", "Sub", "",
                                    "C:\\SIERRA\\GPL\\CARS\\CARS67\\FERRARI"),
                  "team folder");
    ExpectRefused(InstallAddOnFiles(drive.Pv, drive.Ui, false, "ferrari", kFerrari, "ferrari", "",
                                    "C:\\sierra\\gpl\\cars\\cars67"),
                  "team folder");
    // Another drive that maps the same place names the same folder.
    drive.AddDrive('D', drive.DriveC() / "sierra", false);
    ExpectRefused(InstallAddOnFiles(drive.Pv, drive.Ui, false, "ferrari",
                                    "D:\\gpl\\cars\\cars67\\ferrari\\Sub", "Sub", "",
                                    "D:\\gpl\\cars\\cars67\\ferrari"),
                  "team folder");
}

TEST_F(Refusals, AnAddOnFolderPathTheRecordCannotHold) {
    const std::string folder = drive.MakeAddOn(
        "GPL; mods",
        {"ferrari",
         {{"Car", "car", {{"fer9.mip", "car 9"}}, "Car.\r\n", false, false},
          {"Wheels", "accessory", {{"fer9.mip", "wheels 9"}}, "Wheels.\r\n", false, false}}});
    ASSERT_EQ(drive.Install(folder, "Car"), InstallOutcome::Installed);
    drive.Ui.Messages.clear();
    before = drive.Snapshot("C:\\");
    ExpectRefused(drive.Install(folder, "Wheels"), "GPL; mods");
}

TEST(InstallReadOnly, AReadOnlyGameFileStopsTheAccessoryBeforeAnythingIsWritten) {
    AddOnDrive drive;
    drive.Pv.Files().SetReadOnly(Ferrari("fer9.mip"), true);
    const std::string folder =
        drive.MakeOneEntry("Liveries", "ferrari", "Blue", "accessory",
                           {{"a.mip", "a"}, {"fer9.mip", "blue 9"}}, "Blue.\r\n");
    const Files before = drive.Snapshot("C:\\");
    EXPECT_EQ(drive.Install(folder, "Blue"), InstallOutcome::Failed);
    EXPECT_EQ(drive.Snapshot("C:\\"), before);
    ASSERT_EQ(drive.Ui.Traps.size(), 1u);
    EXPECT_EQ(drive.Ui.Traps[0].Text, "70 Permission denied");
}

}  // namespace
}  // namespace movrand::test
