#include <gtest/gtest.h>

#include "DemoInstallation.h"
#include "FaultSweep.h"
#include "TempDrive.h"
#include "roster/IniFunctions.h"

namespace movrand::test {
namespace {

TEST(ReadIniValue, CleansValuesAndReadsTheWorkingCopyLettingEventsRun) {
    const std::pair<std::string, std::string> cleaned[] = {
        {"Jack ; comment", "Jack"},        {";Jack", ";Jack"}, {"Jack;", "Jack"},
        {"Ferrari 312 \t", "Ferrari 312"}, {"A*B", "A B"},     {"AB**", "AB"},
        {"Not Found!", "Not Found!"},      {"", ""},           {"a \t * \t", "a"}};
    for (const auto& [raw, value] : cleaned) EXPECT_EQ(CleanIniValue(raw), value) << raw;

    TempDrive drive;
    const int before = drive.Ui.EventsRun;
    EXPECT_EQ(ReadIniValue(drive.Pv, drive.Ui, "driver_7", "car_number", drive.Pv.DriverWorkFile),
              "07");
    EXPECT_EQ(ReadIniValue(drive.Pv, drive.Ui, "driver_20", "car_number", drive.Pv.DriverWorkFile),
              "Not Found!");
    EXPECT_GT(drive.Ui.EventsRun, before);
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
    ASSERT_EQ(drive.Ui.Messages.size(), 1u);
    EXPECT_EQ(drive.Ui.Messages[0].Text,
              "C:\\sierra\\gpl\\driver.ini is damaged: line 3 begins a section header with \"[\" "
              "but has no closing \"]\". Nothing has been changed.");
    EXPECT_EQ(drive.Read(drive.Pv.DriverIniFile), roster);
    EXPECT_FALSE(drive.Exists(drive.Pv.AppPath + "tempdriver.zorvex"));

    // Writing a key into a file that does not exist creates nothing and reports the failed open.
    WriteIniValue(drive.Pv, drive.Ui, "driver_1", "car_number", "1", "C:\\nowhere.ini");
    ASSERT_EQ(drive.Ui.Traps.size(), 1u);
    EXPECT_EQ(drive.Ui.Traps[0].Text, "53\r\nFile not found");
    EXPECT_EQ(drive.Ui.Traps[0].Icon, platform::MessageIcon::Information);
    EXPECT_FALSE(drive.Exists("C:\\nowhere.ini"));

    // A stored driver.ini that has gone leaves no old working copy behind.
    EXPECT_FALSE(
        StripIniHeaders(drive.Pv, drive.Ui, "C:\\gone\\driver.ini", drive.Pv.DriverWorkFile));
    EXPECT_FALSE(drive.Exists(drive.Pv.DriverWorkFile));

    // Without any drive there is no file-system service: the save says it cannot save.
    drive.Pv.Env.Drives = platform::DriveTable();
    EXPECT_FALSE(SaveDriverIni(drive.Pv, drive.Ui));
    EXPECT_EQ(drive.Ui.Traps.back().Text, "Unable to save changes!");
}

TEST(WorkingCopy, AFailureAtAnyStepOfASaveLeavesTheOldOrTheNewRoster) {
    const std::string old = demo::SampleRoster();
    FaultSweep sweep;
    sweep.Prepare = [](TempDrive& drive) {
        WriteIniValue(drive.Pv, drive.Ui, "driver_5", "car_number", "55", drive.Pv.DriverWorkFile);
    };
    sweep.Operation = [](TempDrive& drive) { SaveDriverIni(drive.Pv, drive.Ui); };
    sweep.Check = [&](TempDrive& drive, int) {
        const std::string now = drive.Read(drive.Pv.DriverIniFile);
        EXPECT_TRUE(now == old || now.find("car_number=55\r\n") != std::string::npos);
        ASSERT_EQ(drive.Ui.Traps.size(), 1u);
        EXPECT_EQ(drive.Ui.Traps[0].Text, "61\r\nDisk full");
        ASSERT_TRUE(SaveDriverIni(drive.Pv, drive.Ui));
        EXPECT_NE(drive.Read(drive.Pv.DriverIniFile).find("car_number=55\r\n"), std::string::npos);
    };
    EXPECT_EQ(sweep.Run(), 4);  // create, write, copy over driver.ini, delete the temporary file
}

}  // namespace
}  // namespace movrand::test
