// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

#include "../addons/AddOnFixture.h"
#include "GameGuard.h"
#include "folders/CarFolderSwap.h"
#include "history/HistoryRestore.h"

namespace movrand::test {
namespace {

namespace fs = std::filesystem;

std::string Listed(TempDrive& d) {
    std::string listed;
    for (const history::HandChange& c : history::VerifyInstallation(d.Pv))
        listed += c.What + " " + c.Path + "\n";
    return listed;
}

history::RestoreOutcome Undo(TempDrive& d) {
    return history::CarryOut(d.Pv, d.Ui, history::PlanUndo(d.Pv)).Outcome;
}

void Swap(TempDrive& d) {
    SwapCarFolder(d.Pv, d.Ui, {"C:\\carfolders\\classic", "C:\\carfolders", "old", false, true});
}

// The steps as an older history wrote them, without the installation's line.
void NameNoInstallation(AddOnDrive& d) {
    for (const auto& file :
         fs::directory_iterator(d.Native("C:\\sierra\\gpl\\movrand\\history\\steps"))) {
        std::string text = ReadFile(file.path());
        const std::size_t at = text.find("\ninstallation\t");
        ASSERT_NE(at, std::string::npos);
        text.erase(at + 1, text.find('\n', at + 1) - at);
        std::ofstream(file.path(), std::ios::binary | std::ios::trunc) << text;
    }
}

void MoveInstallation(AddOnDrive& d) {
    fs::create_directories(d.DriveC() / "games");
    fs::rename(d.DriveC() / "sierra" / "gpl", d.DriveC() / "games" / "gpl");
    d.Pv.GPLPath = "C:\\games\\gpl\\";
    d.Pv.DriverIniFile = "C:\\games\\gpl\\driver.ini";
}

// What Movrand did itself, on a folder that went into the history and came back, on an
// installation moved or copied whole, is no change by hand; and it can be taken back.
TEST(VerifyTruth, MovrandsOwnWorkIsNoHandChange) {
    const std::pair<const char*, std::function<void(AddOnDrive&)>> rows[] = {
        {"swap, undo, install again",
         [](AddOnDrive& d) {
             Swap(d);
             ASSERT_EQ(Undo(d), history::RestoreOutcome::Done);
             d.Install(kClassic, "Ferrari 312");
         }},
        {"delete swap, undo, install again",
         [](AddOnDrive& d) {
             SwapCarFolder(d.Pv, d.Ui, {"C:\\carfolders\\classic", "", "", true, true});
             ASSERT_EQ(Undo(d), history::RestoreOutcome::Done);
             d.Install(kClassic, "Ferrari 312");
         }},
        {"installation moved",
         [](AddOnDrive& d) {
             Swap(d);
             MoveInstallation(d);
         }},
        {"steps of an older history, which name no installation",
         [](AddOnDrive& d) {
             Swap(d);
             NameNoInstallation(d);
         }},
        {"steps of an older history, installation moved",
         [](AddOnDrive& d) {
             Swap(d);
             NameNoInstallation(d);
             MoveInstallation(d);
         }},
        {"prefix copied whole",
         [](AddOnDrive& d) {
             Swap(d);
             const std::string c = d.DriveC().string();
             ASSERT_EQ(std::system(("mv '" + c + "' '" + c + ".old' && cp -a '" + c + ".old' '" +
                                    c + "' && rm -rf '" + c + ".old'")
                                       .c_str()),
                       0);
         }},
    };
    for (const auto& [what, operation] : rows) {
        SCOPED_TRACE(what);
        AddOnDrive d;
        d.Ui.DefaultAnswer = true;
        WriteCarFolder(d.Native("C:\\carfolders\\classic"), "classic");
        d.Install(kClassic, "Ferrari 312");
        operation(d);
        EXPECT_EQ(Listed(d), "") << d.Ui.Transcript();
        ASSERT_EQ(Undo(d), history::RestoreOutcome::Done);
        EXPECT_EQ(Listed(d), "");
    }
}

// Permissions set by hand on a file an add-on replaced are put back as recorded by the undo.
TEST(VerifyTruth, UndoPutsBackRecordedPermissions) {
    AddOnDrive d;
    d.Ui.DefaultAnswer = true;
    const std::string before = d.Read(Ferrari("fer9.3do"));
    const fs::perms mode = fs::status(d.Native(Ferrari("fer9.3do"))).permissions();
    d.Install(kClassic, "Ferrari 312");
    fs::permissions(d.Native(Ferrari("fer9.3do")), fs::perms::owner_read | fs::perms::group_read);
    EXPECT_EQ(Listed(d), "changed " + Ferrari("fer9.3do") + "\n");
    ASSERT_EQ(Undo(d), history::RestoreOutcome::Done);
    EXPECT_EQ(d.Read(Ferrari("fer9.3do")), before);
    EXPECT_EQ(fs::status(d.Native(Ferrari("fer9.3do"))).permissions(), mode);
    EXPECT_EQ(Listed(d), "");
}

}  // namespace
}  // namespace movrand::test
