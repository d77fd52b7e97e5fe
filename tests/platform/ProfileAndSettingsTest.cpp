// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>

#include "FileSnapshot.h"
#include "OtherDisk.h"
#include "TempDrive.h"
#include "platform/RuntimeError.h"
#include "platform/SettingsKeys.h"
#include "wine/Environment.h"
#include "wine/Profile.h"
#include "wine/WineRegistry.h"

namespace movrand::test {
namespace {

using platform::GetPrivateProfileString;

// Each read gives the same value read alone and within a read scope, where the file is parsed
// once and changes made meanwhile must still be seen.
TEST(Profile, ReadsAsTheGameWroteItAloneAndWithinAReadScope) {
    TempDrive drive(false);
    platform::FileSystem fs = drive.Pv.Files();
    const std::string file =
        "; comment = no key\r\n[ Driver_3 ]  trailing\r\n\tFirst_Name =  Jim \t\r\n"
        ";last_name = x\r\nno equals here\r\nlast_name='Clark'\r\nfirst_name = second\r\n"
        "[broken\r\nskill = 5\r\n[driver_3]\r\ncar_number = 99\r\n[d]\nname=J\xF6rg\n"
        "[s]\r\nk=" +
        std::string(300, 'x') + "\r\n";
    const std::string reads[][3] = {
        {"driver_3", "first_name", "Jim"},        {" DRIVER_3 ", "FIRST_NAME", "Jim"},
        {"driver_3", "last_name", "Clark"},       {"driver_3", "skill", "5"},
        {"driver_3", "car_number", "Not Found!"}, {"driver_3", "; comment", "Not Found!"},
        {"driver_4", "first_name", "Not Found!"}, {"d", "name", "J\xC3\xB6rg"},
        {"s", "k", std::string(249, 'x')},
    };
    for (const bool scoped : {false, true}) {
        drive.Write("C:\\t.ini", file);
        std::optional<platform::ProfileReadScope> scope;
        if (scoped) scope.emplace();
        for (const auto& [section, key, value] : reads)
            EXPECT_EQ(GetPrivateProfileString(fs, section, key, "Not Found!", 250, "C:\\t.ini"),
                      value)
                << section << " " << key << (scoped ? " (scoped)" : "");
        EXPECT_TRUE(platform::ProfileSectionExists(fs, "DRIVER_3", "C:\\t.ini") &&
                    !platform::ProfileSectionExists(fs, "broken", "C:\\t.ini"));
        platform::WritePrivateProfileString(fs, "d", "name", "Ren\xC3\xA9", "C:\\t.ini");
        EXPECT_EQ(GetPrivateProfileString(fs, "d", "name", "", 250, "C:\\t.ini"), "Ren\xC3\xA9");
        drive.Write("C:\\t.ini", "[d]\r\nname=Ann\r\n");  // rewritten in place, not by the program
        EXPECT_EQ(GetPrivateProfileString(fs, "d", "name", "", 250, "C:\\t.ini"), "Ann");
    }
}

TEST(Settings, EveryTextRoundTripsAndAFullDiskSaysSo) {
    TempDrive drive(false);
    platform::SettingsStore& store = drive.Pv.Env.Settings;
    const std::string odd = "a=b]c\\n\r\n[x] J\xC3\xB6rg 50% %41 ";
    store.Save(platform::kSettingsApp, "Sec=]", "k=]", odd);
    EXPECT_EQ(store.Get(platform::kSettingsApp, "Sec=]", "k=]"), odd);
    // A store on a disk that is full.
    const OtherDisk disk(64 << 10);
    if (disk.Empty()) GTEST_SKIP() << disk.Why();
    platform::SettingsStore full(disk.Folder());
    full.Save(platform::kSettingsApp, "Sec=]", "k=]", odd);
    std::ofstream(disk.Folder() / "filler", std::ios::binary) << std::string(1 << 20, 'x');
    try {
        full.Save(platform::kSettingsApp, platform::kMovrandSection, "x", std::string(8192, 'y'));
        ADD_FAILURE() << "no error";
    } catch (const platform::RuntimeError& e) {
        EXPECT_EQ(std::to_string(e.Number()) + " " + e.Description(), "61 Disk full");
    }
    EXPECT_EQ(full.Get(platform::kSettingsApp, "Sec=]", "k=]"), odd);  // the store stays as it was
    EXPECT_EQ(TreeOf(disk.Folder() / platform::kSettingsApp).size(),
              1u);  // and nothing is left beside it
}

// The user's own files read at a start never hold it up: a FIFO where the settings or a prefix's
// registry belong reads as nothing (a read that waited on it would hang this test).
TEST(Settings, AFifoWhereAFileBelongsReadsAsNothing) {
    TempDrive drive(false);
    platform::SettingsStore& store = drive.Pv.Env.Settings;
    const std::filesystem::path file = store.FileOf("Zorvex");
    std::filesystem::create_directories(file.parent_path());
    const std::filesystem::path reg = file.parent_path() / "system.reg";
    ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo(reg.c_str(), 0600), 0);
    EXPECT_EQ(store.Get("Zorvex", "Movrand", "DriverIniFile"), "");
    EXPECT_FALSE(platform::ReadMachineValue(reg, "Software\\Microsoft", "Path"));
    store.Save("Zorvex", "Movrand", "DriverIniFile", "C:\\x");
    EXPECT_EQ(store.Get("Zorvex", "Movrand", "DriverIniFile"), "C:\\x");
}

// The XDG rules: a relative XDG_CONFIG_HOME or XDG_DATA_HOME is ignored, as if unset.
TEST(Settings, RelativeXdgFoldersAreIgnored) {
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "/root";
    for (const std::string given : {"relative", "/srv/gpl"}) {
        ::setenv("XDG_CONFIG_HOME", given.c_str(), 1);
        ::setenv("XDG_DATA_HOME", given.c_str(), 1);
        const bool used = given[0] == '/';
        EXPECT_EQ(platform::SettingsStore::FromEnvironment().FileOf("Z").parent_path(),
                  (used ? given : home + "/.config") + "/Z");
        EXPECT_EQ(platform::Environment::FromProcessEnvironment().DataHome,
                  used ? given : home + "/.local/share");
    }
    ::unsetenv("XDG_CONFIG_HOME"), ::unsetenv("XDG_DATA_HOME");
}

}  // namespace
}  // namespace movrand::test
