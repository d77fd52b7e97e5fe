// The Find Add-Ons page's addresses and rules, and the About box's registry look-ups.
#include <gtest/gtest.h>

#include <fstream>

#include "TempDrive.h"
#include "dialogs/SystemInformation.h"
#include "links/LinkCategories.h"
#include "links/WebsiteAddress.h"
#include "resources/StringTable.h"

namespace movrand::test {
namespace {

using resources::LoadResString;
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
                 {"Setups ", ""},
                 {"", ""}};
    for (const auto& c : cases) EXPECT_EQ(links::PageAddress(kSite, c.Category), c.Page);
    EXPECT_EQ(links::BrowserWindowAddress(kSite), kSite + "/newdefaultjava.asp");
    EXPECT_EQ(links::BrowserWindowAddress(links::HelpAddress(kSite)),
              kSite + "\\movrandhelpcontents.htm/newdefaultjava.asp");
}

TEST(WebsiteAddress, SavesTrimmedRefusesBlanksAndReloadsOnlyOnAChange) {
    const struct {
        std::string Typed, Kept;
        bool Refused;
        std::string Loaded;  // what the page reloads, "-" for nothing
    } cases[] = {
        {"  http://new/site  ", "http://new/site", false, "http://new/site/AddOnsTracks.htm"},
        {"   ", kSite, true, "-"},
        {"", kSite, true, "-"},
        {kSite, kSite, false, "-"},
        {"HTTP://127.0.0.1:8000/site", "HTTP://127.0.0.1:8000/site", false,
         "HTTP://127.0.0.1:8000/site/AddOnsTracks.htm"}};
    for (const auto& c : cases) {
        TempDrive drive(false);
        drive.Pv.WebsiteURL = kSite;
        std::string loaded = "-";
        links::UpdateWebsiteAddress(
            drive.Pv, [&] { links::SaveWebsiteAddress(drive.Pv, drive.Ui, c.Typed); }, "Tracks",
            [&](const std::string& address) { loaded = address; });
        EXPECT_EQ(drive.Pv.WebsiteURL, c.Kept) << c.Typed;
        EXPECT_EQ(drive.Pv.Env.Settings.Get("Zorvex", "Zorvex", "ZorvexURL"),
                  c.Refused ? "" : c.Kept);
        EXPECT_EQ(drive.Ui.Transcript().find(LoadResString(122)) != std::string::npos, c.Refused);
        EXPECT_EQ(loaded, c.Loaded) << c.Typed;
    }
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
    const struct {
        std::uint32_t Root;
        std::string Key, Value;
        bool Found;
        std::string Text;
    } cases[] = {
        {dialogs::HKEY_LOCAL_MACHINE, kMsinfo, "PATH", true,
         "C:\\Program Files\\MSInfo\\msinfo32.exe"},
        {dialogs::HKEY_LOCAL_MACHINE, "software\\microsoft\\shared tools\\msinfo", "path", true,
         "C:\\Program Files\\MSInfo\\msinfo32.exe"},
        {dialogs::HKEY_LOCAL_MACHINE, kMsinfo, "Quoted", true, "say \"hi\" caf\xC3\xA9"},
        {dialogs::HKEY_LOCAL_MACHINE, kMsinfo, "Missing", false, ""},
        {dialogs::HKEY_LOCAL_MACHINE, kMsinfo, "Number", false, ""},
        {dialogs::HKEY_LOCAL_MACHINE, kMsinfo, "Cut", false, ""},
        {dialogs::HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools", "PATH", false, ""},
        {0x80000001u, kMsinfo, "PATH", false, ""}};
    for (const auto& c : cases) {
        std::string text = "before";
        EXPECT_EQ(dialogs::GetKeyValue(drive.Root(), c.Root, c.Key, c.Value, text), c.Found)
            << c.Value;
        EXPECT_EQ(text, c.Text) << c.Value;
    }
    // A damaged or missing file is nothing found.
    std::string text;
    std::ofstream(drive.Root() / "system.reg")
        << "[Software\\\\Microsoft\\\\Shared Tools\\\\MSINFO\n\"PATH\"=\"\\";
    EXPECT_FALSE(
        dialogs::GetKeyValue(drive.Root(), dialogs::HKEY_LOCAL_MACHINE, kMsinfo, "PATH", text));
    EXPECT_FALSE(dialogs::GetKeyValue(drive.Root() / "none", dialogs::HKEY_LOCAL_MACHINE, kMsinfo,
                                      "PATH", text));
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

}  // namespace
}  // namespace movrand::test
