#include <gtest/gtest.h>
#include <sys/stat.h>

#include "DemoInstallation.h"
#include "FaultSweep.h"
#include "TempDrive.h"
#include "platform/RuntimeError.h"
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
    EXPECT_EQ(ReadIniValue(drive.Pv, drive.Ui, "driver_12", "last_name", drive.Pv.DriverWorkFile),
              "Clark");
    EXPECT_EQ(ReadIniValue(drive.Pv, drive.Ui, "driver_7", "car_number", drive.Pv.DriverWorkFile),
              "07");
    EXPECT_EQ(ReadIniValue(drive.Pv, drive.Ui, "driver_20", "car_number", drive.Pv.DriverWorkFile),
              "Not Found!");
    EXPECT_GT(drive.Ui.EventsRun, before);
}

TEST(WorkingCopy, StripAndSaveRoundTripTheGamesRoster) {
    TempDrive drive;
    const std::string work = drive.Read(drive.Pv.DriverWorkFile);
    EXPECT_NE(work.find("[driver_3]\r\n"), std::string::npos);
    EXPECT_EQ(work.find("[ driver_3 ]"), std::string::npos);
    WriteIniValue(drive.Pv, drive.Ui, "driver_3", "car_number", "44", drive.Pv.DriverWorkFile);
    ASSERT_TRUE(SaveDriverIni(drive.Pv, drive.Ui));
    EXPECT_TRUE(drive.Ui.Traps.empty()) << drive.Ui.Transcript();
    std::string expected = demo::SampleRoster();
    const std::string old =
        "[ driver_3 ]\r\nfirst_name = Jackie\r\nlast_name = Stewart\t; surname\r\nnationality = 12\r\n"
        "team_number = 1\r\ncar_number = 3\r\n";
    const auto at = expected.find(old);
    ASSERT_NE(at, std::string::npos);
    expected.replace(at + old.size() - std::string("car_number = 3\r\n").size(), 16,
                     "car_number=44\r\n");
    EXPECT_EQ(drive.Read(drive.Pv.DriverIniFile), expected);
    EXPECT_FALSE(drive.Exists(drive.Pv.AppPath + "tempdriver.zorvex"));
}

// A later start finds the working copy it would make already there and leaves that file alone;
// any other content, even one byte more, is replaced.
TEST(WorkingCopy, IsReplacedOnlyWhenItsBytesDiffer) {
    TempDrive drive;
    const std::string work = drive.Pv.DriverWorkFile;
    const std::string made = drive.Read(work);
    const auto inode = [&] {
        struct stat st {};
        EXPECT_EQ(::stat(drive.Native(work).c_str(), &st), 0);
        return st.st_ino;
    };
    const auto before = inode();
    ASSERT_TRUE(StripIniHeaders(drive.Pv, drive.Ui, drive.Pv.DriverIniFile, work));
    EXPECT_EQ(inode(), before);

    drive.Write(work, made + " ");
    ASSERT_TRUE(StripIniHeaders(drive.Pv, drive.Ui, drive.Pv.DriverIniFile, work));
    EXPECT_EQ(drive.Read(work), made);

    drive.Write(drive.Pv.DriverIniFile, "[ driver_1 ]\r\nx = 1\r\n");
    ASSERT_TRUE(StripIniHeaders(drive.Pv, drive.Ui, drive.Pv.DriverIniFile, work));
    EXPECT_EQ(drive.Read(work), "[driver_1]\r\nx = 1\r\n");
    EXPECT_FALSE(drive.Exists(work + ".partial"));
    EXPECT_TRUE(drive.Ui.Traps.empty()) << drive.Ui.Transcript();
}

TEST(WorkingCopy, HeadersComeBackWithOneBlankEachSide) {
    TempDrive drive;
    drive.Write(drive.Pv.DriverIniFile, "[driver_12]\n[  a  b ]\r\nx = 1\n");
    drive.MakeWorkingCopy();
    EXPECT_EQ(drive.Read(drive.Pv.DriverWorkFile), "[driver_12]\r\n[ab]\r\nx = 1\r\n");
    ASSERT_TRUE(SaveDriverIni(drive.Pv, drive.Ui));
    EXPECT_EQ(drive.Read(drive.Pv.DriverIniFile), "[ driver_12 ]\r\n[ ab ]\r\nx = 1\r\n");
}

TEST(WorkingCopy, FailuresAreReportedAndLoseNothing) {
    TempDrive drive;
    const std::string roster = drive.Read(drive.Pv.DriverIniFile);
    // A lone "[" cannot be rebuilt: driver.ini stays as it was.
    drive.Write(drive.Pv.DriverWorkFile, "[driver_1]\r\n[\r\n");
    EXPECT_FALSE(SaveDriverIni(drive.Pv, drive.Ui));
    ASSERT_EQ(drive.Ui.Traps.size(), 1u);
    EXPECT_EQ(drive.Ui.Traps[0].Title, "Movrand");
    EXPECT_EQ(drive.Ui.Traps[0].Icon, platform::MessageIcon::Information);
    EXPECT_EQ(drive.Read(drive.Pv.DriverIniFile), roster);

    // Writing a key into a file that does not exist creates nothing and reports the failed open.
    WriteIniValue(drive.Pv, drive.Ui, "driver_1", "car_number", "1", "C:\\nowhere.ini");
    ASSERT_EQ(drive.Ui.Traps.size(), 2u);
    EXPECT_EQ(drive.Ui.Traps[1].Text, "53\r\nFile not found");
    EXPECT_FALSE(drive.Exists("C:\\nowhere.ini"));

    // A stored driver.ini that has gone leaves no old working copy behind.
    EXPECT_FALSE(
        StripIniHeaders(drive.Pv, drive.Ui, "C:\\gone\\driver.ini", drive.Pv.DriverWorkFile));
    EXPECT_FALSE(drive.Exists(drive.Pv.DriverWorkFile));
    EXPECT_EQ(drive.Ui.Traps.size(), 3u);

    // Without any drive there is no file-system service: the save says it cannot save.
    drive.MakeWorkingCopy();
    drive.Pv.Env.Drives = platform::DriveTable();
    EXPECT_FALSE(SaveDriverIni(drive.Pv, drive.Ui));
    ASSERT_EQ(drive.Ui.Traps.size(), 4u);
    EXPECT_EQ(drive.Ui.Traps[3].Text, "Unable to save changes!");
    EXPECT_EQ(drive.Ui.Traps[3].Icon, platform::MessageIcon::Information);
    drive.Pv.Env.Drives = platform::DriveTable({{'C', drive.DriveC()}});
    EXPECT_EQ(drive.Read(drive.Pv.DriverIniFile), roster);
}

TEST(WorkingCopy, AFailureAtAnyStepOfASaveLeavesTheOldOrTheNewRoster) {
    const std::string old = demo::SampleRoster();
    std::string saved;
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
        // The next save completes.
        ASSERT_TRUE(SaveDriverIni(drive.Pv, drive.Ui));
        EXPECT_NE(drive.Read(drive.Pv.DriverIniFile).find("car_number=55\r\n"), std::string::npos);
    };
    EXPECT_EQ(sweep.Run(), 4);  // create, write, copy over driver.ini, delete the temporary file
}

}  // namespace
}  // namespace movrand::test
