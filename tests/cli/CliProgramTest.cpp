#include <gtest/gtest.h>

#include <filesystem>

#include "CliRunner.h"
#include "DemoInstallation.h"
#include "Samples.h"

namespace movrand::test {
namespace {

namespace fs = std::filesystem;

TEST(CliProgram, HelpAndWrongUsage) {
    CliMachine m;
    const CliRun help = m.Run({"--help"});
    EXPECT_EQ(help.Status, 0);
    EXPECT_EQ(
        help.Out.rfind("movrand-cli [--gpl PATH] [--yes] [--team NAME] COMMAND [ARGS...]\n", 0),
        0u);
    EXPECT_NE(help.Out.find("  switch PATH                  make PATH the installation in use"),
              std::string::npos);

    const CliRun none = m.Run({});
    EXPECT_EQ(none.Status, 2);
    EXPECT_EQ(none.Out, "");
    EXPECT_EQ(none.Err, "movrand-cli: no command given\n\n" + help.Out);

    const CliRun bad = m.Run({"swap", "C:\\carfolders\\cars67_classic", "--rename", "C:\\", "a.b"});
    EXPECT_EQ(bad.Status, 2);
    EXPECT_EQ(bad.Err.rfind("movrand-cli: NAME may hold only letters, digits and \"_\"\n", 0), 0u);
    // Nothing was touched: no settings, no program folder.
    EXPECT_FALSE(fs::exists(m.Config()));
    EXPECT_FALSE(fs::exists(m.Data() / "movrand" / "driver.zorvex"));
}

TEST(CliProgram, CheckTakesNativeAndWindowsPathsAndStoresNothing) {
    CliMachine m;
    CliRun run = m.Run({"check", m.Gpl().string()});
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(run.Out, "valid\n");

    fs::remove(m.Gpl() / "gpl_ai.ini");
    run = m.Run({"check", "C:\\sierra\\gpl"});
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(
        run.Out,
        "message: The new Folder is NOT a valid GPL Installation Folder - Please re-select.\n");
    EXPECT_EQ(run.Err, "");
    EXPECT_FALSE(fs::exists(m.Config()));
}

TEST(CliProgram, DriversAreReadFromTheStoredInstallation) {
    CliMachine m;
    const CliRun run = m.Run({"drivers"});
    EXPECT_EQ(run.Status, 0) << run.Err;
    const std::vector<std::string> lines = run.OutLines();
    ASSERT_EQ(lines.size(), 19u);
    EXPECT_EQ(lines[0], "1\tJack\tBrabham\t1\t0\t1");
    EXPECT_EQ(lines[6], "7\tDan\tGurney\t07\t3\t26");
    EXPECT_EQ(lines[18], "19\tChris\tIrwin\t20\t1\t12");
    // The first run finds the installation and stores it, as the desktop program does.
    EXPECT_EQ(m.Stored("DriverIniFile"), "C:\\sierra\\gpl\\driver.ini");
    EXPECT_NE(CliMachine::Read(m.WorkingCopy()).find("[driver_7]\r\n"), std::string::npos);
}

// --gpl works on another installation for one run; switch makes it the one in use, on yes only.
TEST(CliProgram, GplForOneRunAndSwitchForGood) {
    CliMachine m;
    const fs::path other = m.DriveC() / "other" / "gpl";
    MakeOtherInstallation(other);
    ASSERT_EQ(m.Run({"drivers"}).Status, 0);  // the stored installation is C:\sierra\gpl
    const std::string workingCopy = CliMachine::Read(m.WorkingCopy());

    CliRun run = m.Run({"--gpl", other.string(), "drivers"});
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.OutLines().at(0), "1\tJock\tBrabham\t1\t0\t1");
    EXPECT_EQ(m.Stored("DriverIniFile"), "C:\\sierra\\gpl\\driver.ini");
    // The desktop program's working copy still holds the stored installation's roster.
    EXPECT_EQ(CliMachine::Read(m.WorkingCopy()), workingCopy);
    EXPECT_EQ(std::distance(fs::directory_iterator(m.Data() / "movrand"), fs::directory_iterator()),
              1);
    run = m.Run({"--gpl", (m.DriveC() / "other").string(), "drivers"});
    EXPECT_EQ(run.Status, 2);
    EXPECT_EQ(run.Err,
              "movrand-cli: --gpl " + (m.DriveC() / "other").string() +
                  ": The new Folder is NOT a valid GPL Installation Folder - Please re-select.\n");

    run = m.Run({"switch", other.string()});
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(
        run.Out,
        "question: Are you sure you want to change Movrand to use this new GPL Installation?\nanswer: no\n");
    EXPECT_EQ(m.Stored("DriverIniFile"), "C:\\sierra\\gpl\\driver.ini");
    run = m.Run({"--yes", "switch", other.string()});
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(m.Stored("DriverIniFile"), "C:\\other\\gpl\\driver.ini");
    EXPECT_EQ(m.Run({"drivers"}).OutLines().at(0), "1\tJock\tBrabham\t1\t0\t1");
}

TEST(CliProgram, SwapAsksAndMakesTheStoredFolderTheLiveOne) {
    CliMachine m;
    const fs::path live = m.Gpl() / "cars" / "cars67";
    const fs::path classic = m.DriveC() / "carfolders" / "cars67_classic";
    const std::string oldFerrari = CliMachine::Read(live / "ferrari" / "ferrari.dat");

    // An error inside the operation ends the run with status 3 and the report on stderr.
    CliRun run =
        m.Run({"--yes", "swap", "C:\\carfolders\\cars67_classic", "--rename", "C:\\nowhere", "x"});
    EXPECT_EQ(run.Status, 3);
    EXPECT_EQ(run.Err, "error: 76\\nPath not found\n");
    EXPECT_EQ(CliMachine::Read(live / "ferrari" / "ferrari.dat"), oldFerrari);

    run = m.Run({"--yes", "swap", classic.string(), "--delete", "--move"});
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(
        run.Out,
        "question: The current GPL car folder will be deleted  and the selected new folder will become the new GPL Cars Folder by being moved into the GPL folder.\\n\\nDo you wish to continue?\nanswer: yes\n");
    EXPECT_EQ(CliMachine::Read(live / "ferrari" / "ferrari.dat"),
              "classic team data of ferrari\r\n");
    EXPECT_FALSE(fs::exists(classic));
    EXPECT_EQ(std::distance(fs::directory_iterator(m.Gpl() / "cars"), fs::directory_iterator()), 1);
}

TEST(CliProgram, NoInstallationAnywhere) {
    CliMachine m;
    fs::remove_all(m.DriveC() / "sierra");
    const CliRun run = m.Run({"drivers"});
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(
        run.Out,
        "message: Unable to find driver.ini           Please locate file.\nmessage: The driver.ini file has not been located.  The program is terminating.\n");
}

}  // namespace
}  // namespace movrand::test
