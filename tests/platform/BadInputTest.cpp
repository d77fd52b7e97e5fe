#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "DemoInstallation.h"
#include "TempDrive.h"
#include "roster/IniFunctions.h"

namespace movrand::test {
namespace {

namespace fs = std::filesystem;

std::string Garbage(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(random() & 0xFF);
    return bytes;
}

TEST(BadInput, GarbageHugeAndCrowdedRostersNeitherCrashNorSpill) {
    TempDrive drive;
    std::string crowded;
    for (int i = 1; i <= 1000; ++i)
        crowded +=
            "[ driver_" + std::to_string(i) + " ]\r\ncar_number = " + std::to_string(i) + "\r\n";
    const std::string rosters[] = {
        Garbage(64 * 1024, 1), std::string(10 * 1024 * 1024, 'x') + "\r\n", crowded,
        "[ driver_1 ]\r\nfirst_name = " + std::string(5000, '*') + "\r\n"};
    for (const std::string& roster : rosters) {
        drive.Write(drive.Pv.DriverIniFile, roster);
        ASSERT_TRUE(
            StripIniHeaders(drive.Pv, drive.Ui, drive.Pv.DriverIniFile, drive.Pv.DriverWorkFile));
        const std::string value =
            ReadIniValue(drive.Pv, drive.Ui, "driver_1000", "car_number", drive.Pv.DriverWorkFile);
        EXPECT_TRUE(value == "1000" || value == "Not Found!") << value;
        EXPECT_LE(
            ReadIniValue(drive.Pv, drive.Ui, "driver_1", "first_name", drive.Pv.DriverWorkFile)
                .size(),
            249u);
        SaveDriverIni(drive.Pv, drive.Ui);
    }
    // Nothing was written outside the installation and the program's own folder.
    std::vector<std::string> top;
    for (const auto& entry : fs::directory_iterator(drive.DriveC()))
        top.push_back(entry.path().filename().string());
    std::sort(top.begin(), top.end());
    EXPECT_EQ(top, (std::vector<std::string>{"sierra", "users"}));
}

TEST(BadInput, NamesWithEverySpecialCharacterRoundTrip) {
    TempDrive drive;
    platform::FileSystem fs = drive.Pv.Files();
    const std::string name = "a b!#$%&'()+,-;=@[]^_`{}~\xC3\xA9.txt";
    fs.CopyFile("C:\\sierra\\gpl\\gpl.exe", "C:\\sierra\\" + name);
    EXPECT_TRUE(fs.FileExists("C:\\SIERRA\\" + name));
    EXPECT_EQ(fs.FileNames("C:\\sierra").size(), 1u);
    fs.Rename("C:\\sierra\\" + name, "plain.txt");
    EXPECT_TRUE(fs.FileExists("C:\\sierra\\plain.txt"));
}

TEST(BadInput, DeletingNeverFollowsLinksOutOfTheFolder) {
    TempDrive drive;
    demo::WriteFile(drive.Root() / "outside" / "precious.3do", "keep me");
    const fs::path team = drive.Native("C:\\sierra\\gpl\\cars\\cars67\\ferrari");
    fs::create_directory_symlink(drive.Root() / "outside", team / "linked");
    fs::create_symlink(drive.Root() / "outside" / "precious.3do", team / "link.3do");
    platform::FileSystem fs = drive.Pv.Files();
    fs.DeleteFile("C:\\sierra\\gpl\\cars\\cars67\\ferrari\\link.3do");
    fs.CopyFolder("C:\\sierra\\gpl\\cars\\cars67\\ferrari", "C:\\copy");
    fs.DeleteFolder("C:\\copy", true);
    fs.DeleteFolder("C:\\sierra\\gpl\\cars\\cars67\\ferrari", true);
    std::ifstream kept(drive.Root() / "outside" / "precious.3do");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "keep me");
    // ".." never leaves the drive, so the folder beside it cannot be named from C:.
    EXPECT_FALSE(fs.FileExists("C:\\..\\outside\\precious.3do"));
    EXPECT_FALSE(fs::exists(team));
}

}  // namespace
}  // namespace movrand::test
