// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "TempDrive.h"
#include "roster/IniFunctions.h"

namespace movrand::test {
namespace {

TEST(ReadIniValue, CleansValues) {
    const std::pair<std::string, std::string> cleaned[] = {
        {"Jack ; comment", "Jack"},        {";Jack", ";Jack"}, {"Jack;", "Jack"},
        {"Ferrari 312 \t", "Ferrari 312"}, {"A*B", "A B"},     {"AB**", "AB"},
        {"Not Found!", "Not Found!"},      {"", ""},           {"a \t * \t", "a"}};
    for (const auto& [raw, value] : cleaned) EXPECT_EQ(CleanIniValue(raw), value) << raw;
}

// driver.ini -> working copy -> driver.ini: only the blanks inside a header's brackets change.
TEST(WorkingCopy, HeadersChangeOnlyInsideTheirBrackets) {
    const struct {
        std::string Game, Work, Saved;
    } cases[] = {
        {"[ driver_3 ]\r\nx = 1 ; c\r\n", "[driver_3]\r\nx = 1 ; c\r\n", ""},
        {"[driver_12]\n[  a  b ]\r\nx = 1", "[driver_12]\r\n[ab]\r\nx = 1\r\n",
         "[ driver_12 ]\r\n[ ab ]\r\nx = 1\r\n"},
        {"[ driver_1 ]\t\r\n", "[driver_1]\t\r\n", ""},
        {"[ driver_1 ] ; first driver\r\n", "[driver_1] ; first driver\r\n", ""},
        {"[ d ] ] x\r\n[ \t]\r\n", "[d]] x\r\n[\t]\r\n", "[ d] ] x\r\n[ \t ]\r\n"},
        {" [ a ]\r\n", " [ a ]\r\n", ""},
    };
    for (const auto& c : cases) {
        TempDrive drive;
        drive.Write(drive.Pv.DriverIniFile, c.Game);
        drive.MakeWorkingCopy();
        EXPECT_EQ(drive.Read(drive.Pv.DriverWorkFile), c.Work) << c.Game;
        ASSERT_TRUE(SaveDriverIni(drive.Pv, drive.Ui)) << drive.Ui.Transcript();
        EXPECT_EQ(drive.Read(drive.Pv.DriverIniFile), c.Saved.empty() ? c.Game : c.Saved);
        EXPECT_FALSE(drive.Exists(drive.Pv.AppPath + "tempdriver.zorvex"));
    }
}

TEST(WorkingCopy, FailuresAreReportedAndLoseNothing) {
    TempDrive drive;
    const std::string roster = drive.Read(drive.Pv.DriverIniFile);
    // A header that is never closed cannot be rebuilt: the message says where.
    drive.Write(drive.Pv.DriverWorkFile, "[driver_1]\r\nx=1\r\n[ \r\n");
    EXPECT_FALSE(SaveDriverIni(drive.Pv, drive.Ui));
    EXPECT_EQ(drive.Ui.Transcript(),
              "message: C:\\sierra\\gpl\\driver.ini is damaged: line 3 begins a section header "
              "with \"[\" but has no closing \"]\". Nothing has been changed.\n");
    EXPECT_EQ(drive.Read(drive.Pv.DriverIniFile), roster);
    EXPECT_FALSE(drive.Exists(drive.Pv.AppPath + "tempdriver.zorvex"));

    // A stored driver.ini that has gone leaves no old working copy behind.
    EXPECT_FALSE(
        StripIniHeaders(drive.Pv, drive.Ui, "C:\\gone\\driver.ini", drive.Pv.DriverWorkFile));
    EXPECT_FALSE(drive.Exists(drive.Pv.DriverWorkFile));
}

}  // namespace
}  // namespace movrand::test
