#include <gtest/gtest.h>

#include "TempDrive.h"
#include "mainwindow/WindowSettings.h"

namespace movrand::test {
namespace {

using namespace mainwindow;

std::string Stored(TempDrive& drive, const std::string& key) {
    return drive.Pv.Env.Settings.Get("Zorvex", "Movrand", key);
}

TEST(MainWindowValues, AddOnsOnlyTicksOnlyForExactlyOne) {
    TempDrive drive;
    // Not stored: "1" is written at once and the box is ticked; the folders stay unwritten.
    EXPECT_TRUE(ReadWindowSettings(drive.Pv).AddOnsOnly);
    EXPECT_EQ(Stored(drive, "AddOnsOnly"), "1");
    EXPECT_EQ(Stored(drive, "CarManagerDirectory"), "");
    for (const char* value : {"0", "x", " 1", "1 "}) {
        drive.Pv.Env.Settings.Save("Zorvex", "Movrand", "AddOnsOnly", value);
        EXPECT_FALSE(ReadWindowSettings(drive.Pv).AddOnsOnly) << value;
        EXPECT_EQ(Stored(drive, "AddOnsOnly"), value);
    }
    drive.Pv.Env.Settings.Save("Zorvex", "Movrand", "CarFolder", "D:\\cars");
    EXPECT_EQ(ReadWindowSettings(drive.Pv).CarFolder, "D:\\cars");
}

}  // namespace
}  // namespace movrand::test
