// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "../addons/AddOnFixture.h"
#include "GameGuard.h"
#include "addons/InstalledItems.h"
#include "folders/CarFolderSwap.h"
#include "history/ChangesView.h"
#include "history/HistoryRestore.h"
#include "roster/CarNumbers.h"
#include "roster/TeamTable.h"

namespace movrand::test {
namespace {

namespace fs = std::filesystem;

// Every folder ("<folder>") and file (its bytes and permissions) of the installation and the
// stored car folders; the history's own and the marks beside stored folders left out.
std::map<std::string, std::string> Everything(const TempDrive& d) {
    std::map<std::string, std::string> all;
    for (const char* top : {"sierra/gpl", "carfolders"})
        for (fs::recursive_directory_iterator it(d.DriveC() / top), end; it != end; ++it) {
            const std::string name = it->path().lexically_relative(d.DriveC()).string();
            if (name == "sierra/gpl/movrand" || name.ends_with(".movrand-stored")) {
                it.disable_recursion_pending();
                continue;
            }
            all[name] =
                it->is_directory()
                    ? "<folder>"
                    : ReadFile(it->path()) + "|" +
                          std::to_string(static_cast<int>(it->symlink_status().permissions()));
        }
    return all;
}

// How many files and folders differ between two looks.
history::ChangeCount Differing(const std::map<std::string, std::string>& before,
                               const std::map<std::string, std::string>& after) {
    history::ChangeCount count;
    const auto look = [&](const auto& one, const auto& other, bool both) {
        for (const auto& [name, what] : one) {
            const auto there = other.find(name);
            if (there != other.end() && (there->second == what || !both)) continue;
            const bool folder =
                what == "<folder>" || (there != other.end() && there->second == "<folder>");
            ++(folder ? count.Folders : count.Files);
        }
    };
    look(before, after, true);
    look(after, before, false);
    return count;
}

// Steps that cancel out (an accessory installed and removed, a swap and its undo, a car
// number given and given back) are no change: the count of every restore and undo, and the
// lines of its preview, are what it really changes.
TEST(RestoreCount, ThePreviewCountsWhatTheRestoreReallyChanges) {
    AddOnDrive d;
    d.Ui.DefaultAnswer = true;
    WriteCarFolder(d.Native("C:\\carfolders\\classic"), "classic");
    int ferrari = 0;
    while (TeamsInListOrder()[static_cast<std::size_t>(ferrari)].Folder != "ferrari") ++ferrari;
    d.Install(kClassic, "Ferrari 312");
    d.Install(kClassic, "Red Wheels");
    RemoveAddOnFiles(d.Pv, d.Ui, ferrari, "Red Wheels");
    SwapCarFolder(d.Pv, d.Ui,
                  {"C:\\carfolders\\classic", "C:\\carfolders", "original", false, true});
    ASSERT_EQ(history::CarryOut(d.Pv, d.Ui, history::PlanUndo(d.Pv)).Outcome,
              history::RestoreOutcome::Done);
    AssignCarNumber(d.Pv, d.Ui, 1, "12");
    AssignCarNumber(d.Pv, d.Ui, 1, "1");
    const struct {
        const char* what;
        int target;  // -1: undo
        const char* count;
    } rows[] = {
        {"restore to 0", 0, "19 files and 4 folders"},
        {"undo of that restore", -1, "19 files and 4 folders"},
        {"restore to 3, across the swaps", 3, "1 file"},
        {"restore to 5, the swaps cancelled", 5, "nothing"},
    };
    for (const auto& row : rows) {
        const history::RestorePlan plan =
            row.target < 0 ? history::PlanUndo(d.Pv) : history::PlanRestore(d.Pv, row.target);
        ASSERT_EQ(plan.Refusal, "") << row.what;
        const history::ChangesView preview =
            history::ViewOfPlan(history::HistoryPlace(d.Pv), plan, "It");
        std::size_t lines = 0;
        for (const history::ChangeGroup& group : preview.Groups) lines += group.Lines.size();
        const auto before = Everything(d);
        ASSERT_EQ(history::CarryOut(d.Pv, d.Ui, plan).Outcome, history::RestoreOutcome::Done)
            << d.Ui.Transcript();
        const history::ChangeCount real = Differing(before, Everything(d));
        EXPECT_EQ(history::CountText(plan.Count), history::CountText(real)) << row.what;
        EXPECT_EQ(history::CountText(plan.Count), row.count) << row.what;
        EXPECT_EQ(lines, plan.Count.Files + plan.Count.Folders) << row.what;
    }
}

}  // namespace
}  // namespace movrand::test
