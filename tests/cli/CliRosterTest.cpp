#include <gtest/gtest.h>

#include <filesystem>

#include "CliRunner.h"

namespace movrand::test {
namespace {

namespace fs = std::filesystem;

TEST(CliRoster, CarNumberSwapsWithTheHolderAndSavesDriverIni) {
    CliMachine m;
    CliRun run = m.Run({"car-number", "1", "12"});
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(
        run.Out,
        "message: You have just assigned Car Number 12 to Jack Brabham.\\nThis number had previously been assigned to Jim Clark.\\nJim Clark has been assigned Jack Brabham's old number (1).\n");
    const std::string roster = CliMachine::Read(m.Gpl() / "driver.ini");
    EXPECT_NE(
        roster.find(
            "[ driver_1 ]\r\nfirst_name = Jack\r\nlast_name = Brabham\t; surname\r\nnationality = 1\r\nteam_number = 0\r\ncar_number=12\r\n"),
        std::string::npos);
    // The desktop program's working copy has the change too.
    EXPECT_NE(
        CliMachine::Read(m.WorkingCopy())
            .find(
                "[driver_12]\r\nfirst_name = Jim\r\nlast_name = Clark\t; surname\r\nnationality = 12\r\nteam_number = 5\r\ncar_number=1\r\n"),
        std::string::npos);
}

TEST(CliRoster, MatchGivesDriversTheirCarsAndTheTeamListShowsIt) {
    CliMachine m;
    const fs::path lotus = m.Gpl() / "cars" / "cars67" / "LOTUS";
    CliRun run = m.Run({"team-drivers", "Lotus"});
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out, "Jim Clark [12]\nGraham Hill [14]\n");

    run = m.Run({"match"});
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(CliMachine::Read(lotus / "Cla12a.3do"), CliMachine::Read(lotus / "lot12.3do"));
    EXPECT_EQ(CliMachine::Read(lotus / "Hil14a.mip"), CliMachine::Read(lotus / "lot14.mip"));

    run = m.Run({"team-drivers", "lotus"});
    EXPECT_EQ(run.Out, "Jim Clark [12]   (matched to car)\nGraham Hill [14]   (matched to car)\n");
    run = m.Run({"team-drivers", "williams"});
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(run.Out, "");
}

}  // namespace
}  // namespace movrand::test
