// SPDX-License-Identifier: GPL-3.0-or-later
// The Find Add-Ons page's addresses and rules, and the About box's registry look-ups.
#include <gtest/gtest.h>

#include <fstream>

#include "TempDrive.h"
#include "dialogs/SystemInformation.h"
#include "links/LinkCategories.h"
#include "links/UnreachablePage.h"
#include "wine/ProgramStart.h"

namespace movrand::test {
namespace {

const std::string kSite = "http://127.0.0.1:8000/site";

TEST(LinkCategories, ListsPagesAndAddressForms) {
    const auto all = links::LinkCategoryEntries(false);
    ASSERT_EQ(all.size(), 18u);
    EXPECT_EQ(all.front(), "Cars / Carsets");
    EXPECT_EQ(
        links::LinkCategoryEntries(true),
        (std::vector<std::string>{"Cars / Carsets", "Dashboards / Cockpits", "Hi-Res Skies",
                                  "Paintjobs", "Setups", "Software", "Track Updates", "Tracks"}));
    const struct {
        std::string Category, Page;
    } cases[] = {{"Setups", kSite + "/AddOnsSetups.htm"},
                 {"F2 & F3 Sites", kSite + "/AddOnsF2andF3Sites.htm"},
                 {"setups", ""},
                 {"Setups ", ""}};
    for (const auto& c : cases) EXPECT_EQ(links::PageAddress(kSite, c.Category), c.Page);
    EXPECT_EQ(links::BrowserWindowAddress(kSite), kSite + "/newdefaultjava.asp");
    EXPECT_EQ(links::BrowserWindowAddress(links::HelpAddress(kSite)),
              kSite + "\\movrandhelpcontents.htm/newdefaultjava.asp");
}

constexpr const char* kSystemReg =
    "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n"
    "[Software\\\\Microsoft\\\\Shared Tools\\\\MSINFO] 1700000000\n#time=1d9c0e0b8a5f6e2\n"
    "\"PATH\"=\"C:\\\\Program Files\\\\MSInfo\\\\msinfo32.exe\"\n\"Number\"=dword:00000001\n"
    "\"Quoted\"=\"say \\\"hi\\\" caf\\x00e9\"\n\"Cut\"=\"C:\\\\unended\n\n"
    "[Software\\\\Microsoft\\\\Shared Tools Location] 1700000000\n\"MSINFO\"=\"C:\\\\Tools\"\n";
const std::string kMsinfo = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string kLocationOnly =
    std::string(kSystemReg).substr(std::string(kSystemReg).rfind("\n["));

TEST(GetKeyValue, ReadsStringValuesOfTheWineMachineRegistry) {
    TempDrive drive(false);
    std::ofstream(drive.Root() / "system.reg") << kSystemReg;
    const auto read = [&](const std::string& key, const std::string& value,
                          std::uint32_t root = dialogs::HKEY_LOCAL_MACHINE) {
        std::string text = "before";
        const bool found = dialogs::GetKeyValue(drive.Root(), root, key, value, text);
        return found ? text : "(not read: " + text + ")";
    };
    const std::string tool = "C:\\Program Files\\MSInfo\\msinfo32.exe", none = "(not read: )";
    const struct {
        std::string Key, Value, Read;
    } cases[] = {{kMsinfo, "PATH", tool},
                 {"software\\microsoft\\shared tools\\msinfo", "path", tool},
                 {kMsinfo, "Quoted", "say \"hi\" caf\xC3\xA9"},
                 {kMsinfo, "Missing", none},
                 {kMsinfo, "Number", none},
                 {kMsinfo, "Cut", none},
                 {"SOFTWARE\\Microsoft\\Shared Tools", "PATH", none}};
    for (const auto& c : cases) EXPECT_EQ(read(c.Key, c.Value), c.Read) << c.Value;
    EXPECT_EQ(read(kMsinfo, "PATH", 0x80000001u), none);  // another root
    std::ofstream(drive.Root() / "system.reg")
        << "[Software\\\\Microsoft\\\\Shared Tools\\\\MSINFO\n\"PATH\"=\"\\";
    EXPECT_EQ(read(kMsinfo, "PATH"), none);  // damaged
    std::filesystem::remove(drive.Root() / "system.reg");
    EXPECT_EQ(read(kMsinfo, "PATH"), none);  // missing
}

TEST(StartSysInfo, StartsTheToolTheRegistryNamesOrSaysItIsUnavailable) {
    const struct {
        std::string Registry;
        bool ToolFile, StartWorks;
        std::string Started;
    } cases[] = {{kSystemReg, false, true, "C:\\Program Files\\MSInfo\\msinfo32.exe"},
                 {kSystemReg, false, false, "C:\\Program Files\\MSInfo\\msinfo32.exe"},
                 {kLocationOnly, true, true, "C:\\Tools\\MSINFO32.EXE"},
                 {kLocationOnly, false, true, ""},
                 {"", false, true, ""}};
    for (const auto& c : cases) {
        TempDrive drive(false);
        drive.Pv.Env.WinePrefix = drive.Root();
        std::ofstream(drive.Root() / "system.reg") << c.Registry;
        if (c.ToolFile) drive.Write("C:\\Tools\\msinfo32.exe", "MZ");
        std::string started;
        dialogs::StartSysInfo(drive.Pv, drive.Ui, [&](const std::string& path) {
            started = path;
            return c.StartWorks;
        });
        EXPECT_EQ(started, c.Started);
        EXPECT_EQ(drive.Ui.Traps.size(), c.Started.empty() || !c.StartWorks ? 1u : 0u);
    }
}

// A tool counts as started only when Wine takes it: no Wine, or a Wine that ends at once with a
// failure (a program it cannot find or load), is no start.
TEST(StartSysInfo, AToolThatWineCannotStartIsNotStarted) {
    const auto folder = MakeTempFolder("movrand-wine-");
    const std::string path = std::getenv("PATH");
    ::setenv("PATH", folder.c_str(), 1);
    for (const auto& [script, started] : {std::pair<const char*, bool>{nullptr, false},
                                          {"exit 53", false},
                                          {"kill -9 $$", false},
                                          {"exit 0", true},
                                          {"exec /bin/sleep 3", true}}) {
        if (script) std::ofstream(folder / "wine") << "#!/bin/sh\n" << script << "\n";
        if (script)
            std::filesystem::permissions(folder / "wine", std::filesystem::perms::owner_all);
        EXPECT_EQ(
            platform::StartWindowsProgram("C:\\x.exe", folder, std::chrono::milliseconds(400)),
            started)
            << (script ? script : "no wine");
    }
    ::setenv("PATH", path.c_str(), 1);
    RemoveTree(folder);
}

// The page for a website that cannot be reached names the address, made safe as text.
TEST(UnreachablePage, NamesTheAddressAndUpdateUrl) {
    const std::string page = links::UnreachablePage("http://zorvex.invalid/a?b=<i>&c");
    EXPECT_NE(page.find("http://zorvex.invalid/a?b=&lt;i&gt;&amp;c"), std::string::npos);
    EXPECT_NE(page.find("press \"Update URL\""), std::string::npos);
    EXPECT_EQ(page.find("<i>"), std::string::npos);
}

}  // namespace
}  // namespace movrand::test
