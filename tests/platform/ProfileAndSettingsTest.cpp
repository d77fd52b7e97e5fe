#include <gtest/gtest.h>

#include "TempDrive.h"
#include "platform/Profile.h"

namespace movrand::test {
namespace {

using platform::GetPrivateProfileString;
using platform::WritePrivateProfileString;

class Profile : public ::testing::Test {
  protected:
    TempDrive drive{false};
    platform::FileSystem fs = drive.Pv.Files();
    std::string Read(const std::string& section, const std::string& key, int size = 250) {
        return GetPrivateProfileString(fs, section, key, "Not Found!", size, "C:\\t.ini");
    }
};

TEST_F(Profile, MatchesHeadersAndKeysAsTheGameWroteThem) {
    drive.Write("C:\\t.ini",
                "; comment = no key\r\n[ Driver_3 ]  trailing\r\n\tFirst_Name =  Jim \t\r\n"
                ";last_name = x\r\nno equals here\r\nlast_name='Clark'\r\nfirst_name = second\r\n"
                "[broken\r\nskill = 5\r\n[driver_3]\r\ncar_number = 99\r\n");
    EXPECT_EQ(Read("driver_3", "first_name"), "Jim");
    EXPECT_EQ(Read(" DRIVER_3 ", "FIRST_NAME"), "Jim");
    EXPECT_EQ(Read("driver_3", "last_name"), "Clark");
    // "[broken" is no header, so the line after it still belongs to the section; only the first
    // section of a name counts.
    EXPECT_EQ(Read("driver_3", "skill"), "5");
    EXPECT_EQ(Read("driver_3", "car_number"), "Not Found!");
    EXPECT_EQ(Read("driver_3", "; comment"), "Not Found!");
    EXPECT_EQ(Read("driver_4", "first_name"), "Not Found!");
    EXPECT_EQ(GetPrivateProfileString(fs, "a", "b", "Not Found!", 250, "C:\\missing.ini"),
              "Not Found!");
    drive.Write("C:\\t.ini", "[s]\r\nk=" + std::string(300, 'x') + "\r\n");
    EXPECT_EQ(Read("s", "k").size(), 249u);
}

TEST_F(Profile, WritesInPlaceAndKeepsEveryOtherByte) {
    const std::string before =
        "; top\n[ driver_1 ]\r\nfirst_name = Jim\r\ncar_number = 7 ; old\r\n\r\n[ driver_2 ]\r\nx=1";
    drive.Write("C:\\t.ini", before);
    ASSERT_TRUE(WritePrivateProfileString(fs, " driver_1 ", "car_number", "12", "C:\\t.ini"));
    EXPECT_EQ(
        drive.Read("C:\\t.ini"),
        "; top\n[ driver_1 ]\r\nfirst_name = Jim\r\ncar_number=12\r\n\r\n[ driver_2 ]\r\nx=1");
    WritePrivateProfileString(fs, "driver_1", "skill", "9", "C:\\t.ini");
    WritePrivateProfileString(fs, " driver_9 ", "car_number", "3", "C:\\t.ini");
    EXPECT_EQ(
        drive.Read("C:\\t.ini"),
        "; top\n[ driver_1 ]\r\nfirst_name = Jim\r\ncar_number=12\r\nskill=9\r\n\r\n[ driver_2 ]\r\nx=1\r\n"
        "[ driver_9 ]\r\ncar_number=3\r\n");
}

TEST_F(Profile, ValuesAreWindows1252OnDisk) {
    drive.Write("C:\\t.ini", "[d]\r\nname=J\xF6rg\r\n");
    EXPECT_EQ(Read("d", "name"), "J\xC3\xB6rg");
    WritePrivateProfileString(fs, "d", "name", "Ren\xC3\xA9", "C:\\t.ini");
    EXPECT_EQ(drive.Read("C:\\t.ini"), "[d]\r\nname=Ren\xE9\r\n");
}

// "k0", "k1", ... appended rather than "k" + ..., which g++ 12 at -O3 warns about falsely.
std::string KeyNumber(int i) {
    std::string key = "k";
    key += std::to_string(i);
    return key;
}

TEST(Settings, EveryTextRoundTripsAndTheFileIsReplacedWhole) {
    TempDrive drive(false);
    platform::SettingsStore& store = drive.Pv.Env.Settings;
    const std::string odd[] = {
        "",    " 1",       "C:\\sierra\\gpl\\driver.ini", "a=b]c\\n\r\nx", "J\xC3\xB6rg ",
        "[x]", "50% %41 %"};
    int i = 0;
    for (const std::string& value : odd) store.Save("Zorvex", "Movrand", KeyNumber(i++), value);
    store.Save("Zorvex", "Sec=]", "odd key = ]", "v");
    i = 0;
    for (const std::string& value : odd)
        EXPECT_EQ(store.Get("Zorvex", "Movrand", KeyNumber(i++)), value);
    EXPECT_EQ(store.Get("Zorvex", "Sec=]", "odd key = ]"), "v");
    EXPECT_EQ(store.Get("Zorvex", "Movrand", "missing"), "");
    store.Delete("Zorvex", "Movrand", "k2");
    EXPECT_EQ(store.Get("Zorvex", "Movrand", "k2"), "");
    // No temporary file is left beside the store.
    int files = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(drive.Root() / "config" / "Zorvex")) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 1);
}

}  // namespace
}  // namespace movrand::test
