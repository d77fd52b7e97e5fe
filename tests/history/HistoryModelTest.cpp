// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <random>

#include "../addons/AddOnFixture.h"
#include "FaultSweep.h"
#include "GameGuard.h"
#include "PowerCut.h"
#include "addons/InstalledItems.h"
#include "folders/CarFolderSwap.h"
#include "folders/SwapSettling.h"
#include "history/HistoryPlace.h"
#include "history/HistoryRestore.h"
#include "installation/Installations.h"
#include "platform/FaultPlan.h"
#include "platform/FileKeeping.h"
#include "platform/RuntimeError.h"
#include "roster/CarNumbers.h"
#include "roster/DriverMatching.h"
#include "roster/TeamTable.h"

namespace movrand::test {
namespace {

namespace fs = std::filesystem;
using Photo = std::map<std::string, std::string>;

// Every folder and file of the installation (its history aside) and of the stored car folders:
// names with their letter case, empty folders, bytes and permissions.
Photo PhotoOf(const TempDrive& drive) {
    Photo photo;
    for (const char* top : {"sierra/gpl", "carfolders"}) {
        const fs::path root = drive.DriveC() / top;
        if (!fs::exists(root)) continue;
        for (fs::recursive_directory_iterator it(root), end; it != end; ++it) {
            const std::string name = it->path().lexically_relative(drive.DriveC()).string();
            // The history's own, and the marks the swap leaves beside its stored folders.
            if (name == "sierra/gpl/movrand" || name.ends_with(".movrand-stored")) {
                it.disable_recursion_pending();
                continue;
            }
            const auto perms = static_cast<int>(it->symlink_status().permissions());
            photo[name] = it->is_directory() ? "<folder>" : ReadFile(it->path());
            photo[name] += "|" + std::to_string(perms);
        }
    }
    return photo;
}

int LatestStep(TempDrive& drive) {
    const std::vector<history::Step> steps = history::HistoryPlace(drive.Pv).ReadIndex();
    return steps.empty() ? 0 : steps.back().Number;
}

int FerrariPosition() {
    const std::vector<Team>& teams = TeamsInListOrder();
    for (std::size_t i = 0; i < teams.size(); ++i)
        if (teams[i].Folder == "ferrari") return static_cast<int>(i);
    return -1;
}

// One of the operations a player runs, chosen by `pick`.
void RunOperation(AddOnDrive& d, std::mt19937& random, int pick, int round) {
    switch (pick) {
        case 0:
            d.Install(kClassic, "Ferrari 312");
            break;
        case 1:
            d.Install(kClassic, random() % 2 ? "Red Wheels" : "Chrome Mirrors");
            break;
        case 2:
            RemoveAddOnFiles(d.Pv, d.Ui, FerrariPosition(),
                             random() % 2 ? "Complete Car" : "Red Wheels");
            break;
        case 3:
            AssignCarNumber(d.Pv, d.Ui, 1 + static_cast<int>(random() % 19),
                            std::to_string(1 + random() % 30));
            break;
        case 4:
            MatchDriversToCars(d.Pv, d.Ui);
            break;
        default: {
            std::vector<std::string> stored;
            for (const auto& entry : fs::directory_iterator(d.DriveC() / "carfolders"))
                stored.push_back(entry.path().filename().string());
            if (stored.empty()) return;
            std::sort(stored.begin(), stored.end());
            CarFolderPage page;
            page.Source = "C:\\carfolders\\" + stored[random() % stored.size()];
            page.DeleteCurrent = random() % 3 == 0;
            page.Move = random() % 2;
            if (!page.DeleteCurrent) {
                page.Destination = "C:\\carfolders";
                page.NewName = "old" + std::to_string(round);
            }
            SwapCarFolder(d.Pv, d.Ui, page);
        }
    }
}

// A week of installs, removals, car numbers, matching and swaps in every mode, a photograph
// after each step; then restores to random steps in random order and undos, each the
// photograph it must equal; the history's verify finds nothing changed by hand throughout.
TEST(HistoryModel, RestoresAndUndosGiveBackEveryPhotograph) {
    for (unsigned seed = 1; seed <= 2; ++seed) {
        AddOnDrive d;
        d.Ui.DefaultAnswer = true;
        WriteCarFolder(d.Native("C:\\carfolders\\classic"), "classic");
        std::mt19937 random(seed);
        std::map<int, Photo> photos{{0, PhotoOf(d)}};
        for (int round = 0; round < 14; ++round) {
            const int before = LatestStep(d);
            RunOperation(d, random, static_cast<int>(random() % 6), round);
            const int after = LatestStep(d);
            // An operation records one step when it changed something, and none otherwise.
            ASSERT_LE(after, before + 1);
            photos[after] = PhotoOf(d);
            if (after == before) {
                ASSERT_EQ(photos[after], photos[before]) << "round " << round;
            }
            ASSERT_TRUE(history::VerifyInstallation(d.Pv).empty()) << "round " << round;
        }
        ASSERT_GE(LatestStep(d), 8) << d.Ui.Transcript();
        for (int round = 0; round < 8; ++round) {
            const bool undo = random() % 3 == 0;
            const history::RestorePlan plan =
                undo ? history::PlanUndo(d.Pv)
                     : history::PlanRestore(d.Pv, static_cast<int>(random() % LatestStep(d)));
            if (!plan.Refusal.empty()) continue;
            EXPECT_TRUE(plan.ChangedByHand.empty());
            const int target = undo ? plan.Reverse.front() - 1 : plan.Reverse.back() - 1;
            const history::RestoreResult result = history::CarryOut(d.Pv, d.Ui, plan);
            ASSERT_EQ(result.Outcome, history::RestoreOutcome::Done) << d.Ui.Transcript();
            ASSERT_EQ(result.Step, LatestStep(d));
            photos[result.Step] = PhotoOf(d);
            EXPECT_EQ(Differences(photos[result.Step], photos[target]), "")
                << "seed " << seed << ": " << plan.Summary;
            ASSERT_TRUE(history::VerifyInstallation(d.Pv).empty());
        }
    }
}

// Restores in random order over a week with two swaps: each gives back its photograph, and
// records only what differs (its step file's lines bounded by the paths it changed, however many
// restores it crosses); a restore to where the installation already is records nothing.
TEST(HistoryModel, RestoresRecordOnlyTheirNetChange) {
    AddOnDrive d;
    d.Ui.DefaultAnswer = true;
    WriteCarFolder(d.Native("C:\\carfolders\\classic"), "classic");
    std::mt19937 random(7);
    std::map<int, Photo> photos{{0, PhotoOf(d)}};
    for (int round = 0; const int pick : {0, 3, 5, 1, 4, 3, 2, 5, 0, 3, 1}) {
        RunOperation(d, random, pick, round++);
        photos[LatestStep(d)] = PhotoOf(d);
    }
    history::HistoryPlace place(d.Pv);
    for (int round = 0; round < 14; ++round) {
        const int target = static_cast<int>(random() % 11);
        const history::RestorePlan plan = history::PlanRestore(d.Pv, target);
        if (!plan.Refusal.empty()) continue;
        const Photo before = PhotoOf(d);
        const history::RestoreResult result = history::CarryOut(d.Pv, d.Ui, plan);
        ASSERT_EQ(result.Outcome, history::RestoreOutcome::Done) << d.Ui.Transcript();
        const Photo& after = photos[result.Step] = PhotoOf(d);
        ASSERT_EQ(Differences(after, photos[target]), "") << plan.Summary;
        std::size_t differing = 0;
        for (const auto& [name, content] : before)
            differing += after.count(name) == 0 || after.at(name) != content;
        for (const auto& [name, content] : after) differing += before.count(name) == 0;
        const std::string text = ReadFile(place.Native(place.StepFile(result.Step)));
        EXPECT_LE(std::count(text.begin(), text.end(), '\n'), 2 * differing + 30)
            << plan.Summary << " after " << round << " restores";
        ASSERT_TRUE(history::VerifyInstallation(d.Pv).empty()) << plan.Summary;
    }
    ASSERT_EQ(history::CarryOut(d.Pv, d.Ui, history::PlanRestore(d.Pv, 0)).Outcome,
              history::RestoreOutcome::Done);
    const int latest = LatestStep(d);
    EXPECT_EQ(history::PlanRestore(d.Pv, 0).Refusal,
              "The installation is already as it was at step 0: nothing was changed.");
    EXPECT_EQ(LatestStep(d), latest);
}

// A file changed by hand is named by verify, never overwritten without a yes, and what it held
// comes back by restoring to the step before the undo that overwrote it.
TEST(HistoryModel, HandChangesAreNamedAskedForAndKept) {
    AddOnDrive d;
    const Photo before = PhotoOf(d);
    d.Install(kClassic, "Ferrari 312");
    const std::string file = Ferrari("fer9.mip");
    const history::RestorePlan planned = history::PlanUndo(d.Pv);  // while its question is read
    d.Write(file, "painted by hand");
    const std::vector<history::HandChange> changes = history::VerifyInstallation(d.Pv);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].What + " " + changes[0].Path,
              "changed C:\\sierra\\gpl\\cars\\cars67\\ferrari\\fer9.mip");
    d.Ui.Answers = {false};
    EXPECT_EQ(history::CarryOut(d.Pv, d.Ui, planned).Outcome, history::RestoreOutcome::Declined);
    EXPECT_EQ(d.Read(file), "painted by hand");
    EXPECT_NE(d.Ui.Transcript().find("changed: " + file), std::string::npos) << d.Ui.Transcript();
    d.Ui.Answers = {true};
    const history::RestoreResult undone = history::CarryOut(d.Pv, d.Ui, history::PlanUndo(d.Pv));
    ASSERT_EQ(undone.Outcome, history::RestoreOutcome::Done);
    EXPECT_EQ(Differences(PhotoOf(d), before), "");
    history::CarryOut(d.Pv, d.Ui, history::PlanRestore(d.Pv, undone.Step - 1));
    EXPECT_EQ(d.Read(file), "painted by hand");
}

// Undoing a swap by Move counts the two folders it moves back. In the live folder
// that came back by a move, files changed, added and deleted by hand are named by verify, and a
// restore that would take them into the history with it asks first.
TEST(HistoryModel, FoldersMovedWholeCountAsFoldersAndShowHandChanges) {
    AddOnDrive d;
    d.Ui.DefaultAnswer = true;
    WriteCarFolder(d.Native("C:\\carfolders\\classic"), "classic");
    SwapCarFolder(d.Pv, d.Ui, {"C:\\carfolders\\classic", "", "", true, true});
    const history::RestorePlan undo = history::PlanUndo(d.Pv);
    // The two folders move whole: their files go with them and are not counted one by one.
    EXPECT_EQ(history::CountText(undo.Count), "2 folders");
    ASSERT_EQ(history::CarryOut(d.Pv, d.Ui, undo).Outcome, history::RestoreOutcome::Done);
    d.Write(Ferrari("fer9.3do"), "painted by hand");
    d.Write(Ferrari("mine.txt"), "mine");
    fs::remove(d.Native(Ferrari("fer10.mip")));
    std::string listed;
    for (const history::HandChange& c : history::VerifyInstallation(d.Pv))
        listed += c.What + " " + c.Path + "\n";
    EXPECT_EQ(listed, "changed " + std::string(kFerrari) + "\nchanged " + Ferrari("fer9.3do") +
                          "\nadded " + Ferrari("mine.txt") + "\n");
    const Photo before = PhotoOf(d);
    d.Ui.Answers = {false};
    EXPECT_EQ(history::CarryOut(d.Pv, d.Ui, history::PlanRestore(d.Pv, 1)).Outcome,
              history::RestoreOutcome::Declined);
    EXPECT_NE(d.Ui.Transcript().find("added: " + Ferrari("mine.txt")), std::string::npos);
    EXPECT_EQ(PhotoOf(d), before);
}

// A damaged or hand-made history is refused by the name of its file, and nothing is touched.
TEST(HistoryModel, DamagedHistoryIsRefusedByName) {
    AddOnDrive d;
    d.Install(kClassic, "Ferrari 312");
    d.Write("C:\\elsewhere\\mine.txt", "mine");
    const std::string step1 = "C:\\sierra\\gpl\\movrand\\history\\steps\\1.step";
    const std::string good = d.Read(step1);
    const struct {
        const char* what;
        std::string text;
    } rows[] = {
        {"truncated", good.substr(0, good.size() / 2)},
        {"outside", good.substr(0, good.rfind("end\n")) +
                        "path\t-\tf4:644:0:00000000000000000000000000000000\tC:\\elsewhere\\mine."
                        "txt\nend\n"},
        {"root at the drive", good.substr(0, good.find("kept-bytes")) + "root\tC:\\\n" +
                                  good.substr(good.find("kept-bytes"))},
    };
    for (const auto& row : rows) {
        d.Write(step1, row.text);
        const auto before = PhotoOf(d);
        d.Ui.Messages.clear();
        d.Ui.Traps.clear();
        history::RestorePlan plan;
        try {
            plan = history::PlanRestore(d.Pv, 0);
            FAIL() << row.what << " was not refused";
        } catch (const platform::RuntimeError& error) {
            EXPECT_NE(error.Description().find(step1), std::string::npos) << error.Description();
        }
        try {
            history::VerifyInstallation(d.Pv);
            ADD_FAILURE() << row.what << " was looked at";
        } catch (const platform::RuntimeError& error) {
            EXPECT_NE(error.Description().find(step1), std::string::npos) << error.Description();
        }
        EXPECT_EQ(PhotoOf(d), before) << row.what;
        EXPECT_EQ(d.Read("C:\\elsewhere\\mine.txt"), "mine");
    }
}

// The history's journal or content folder made a link to somewhere else: the next operation is
// refused by the history file's name, and nothing there is written.
TEST(HistoryModel, LinksInTheHistoryAreRefusedByName) {
    for (const std::string link : {"pending.step", "content"}) {
        AddOnDrive d;
        d.Ui.DefaultAnswer = true;
        d.Install(kClassic, "Ferrari 312");
        d.Write("C:\\elsewhere\\mine.txt", "mine");
        const fs::path history = d.Native("C:\\sierra\\gpl\\movrand\\history");
        fs::remove_all(history / link);
        fs::create_symlink(d.DriveC() / "elsewhere" / (link == "content" ? "" : "made.txt"),
                           history / link);
        d.Ui.Traps.clear();
        d.Install(kClassic, "Red Wheels");
        EXPECT_EQ(TreeOf(d.Native("C:\\elsewhere")), (Files{{"mine.txt", "mine"}})) << link;
        ASSERT_EQ(d.Ui.Traps.size(), 1u) << d.Ui.Transcript();
        EXPECT_NE(d.Ui.Traps[0].Text.find("history\\" + link), std::string::npos)
            << d.Ui.Traps[0].Text;
    }
}

// The history folder, or its steps folder, made a link to a copy elsewhere: the history is
// neither read through the link nor taken as empty; listing, verifying and undoing are refused,
// naming the link.
TEST(HistoryModel, AHistoryReachedThroughALinkIsRefusedByName) {
    for (const std::string linked : {"history", "history\\steps"}) {
        SCOPED_TRACE(linked);
        AddOnDrive d;
        d.Install(kClassic, "Ferrari 312");
        d.Install(kClassic, "Red Wheels");
        const fs::path native = d.Native("C:\\sierra\\gpl\\movrand\\" + linked);
        const fs::path copy = d.DriveC() / "elsewhere";
        fs::rename(native, copy);
        fs::create_directory_symlink(copy, native);
        const auto refused = [&](const char* what, const std::function<void()>& action) {
            try {
                action();
                ADD_FAILURE() << what << " read the history through the link";
            } catch (const platform::RuntimeError& error) {
                EXPECT_NE(error.Description().find(linked), std::string::npos)
                    << what << ": " << error.Description();
            }
        };
        history::HistoryPlace place(d.Pv);
        refused("listing", [&] {
            if (!place.Exists()) throw platform::RuntimeError(0, "no history");
            place.ReadStep(2);
        });
        refused("verify", [&] { history::VerifyInstallation(d.Pv); });
        refused("undo", [&] {
            const history::RestorePlan plan = history::PlanUndo(d.Pv);
            throw platform::RuntimeError(0, plan.Refusal);
        });
        EXPECT_EQ(TreeOf(copy / (linked == "history" ? "steps" : "")).size(), 2u);
    }
}

// A restore record that no restore of this history wrote, or one whose files were changed by
// hand since, is settled at the start only with a yes for those files.
TEST(HistoryModel, ARestoreSettledAtTheStartAsksBeforeOverwriting) {
    AddOnDrive d;
    d.Install(kClassic, "Ferrari 312");
    d.Write(Ferrari("fer9.3do"), "painted by hand");
    d.Write("C:\\sierra\\gpl\\movrand\\history\\restore.step",
            "restore\tRestored to step 0\nstep\t2\nreverse\t1\n");
    d.Ui.Answers = {false};
    history::SettleHistory(d.Pv, d.Ui);
    EXPECT_EQ(d.Read(Ferrari("fer9.3do")), "painted by hand") << d.Ui.Transcript();
    EXPECT_FALSE(d.Exists("C:\\sierra\\gpl\\movrand\\history\\restore.step"));
    EXPECT_EQ(LatestStep(d), 1);
}

// A restore that cannot be finished at the start changes nothing, and the window asks whether
// to leave the game as it is: on a no it stands and every change is refused, naming the way
// out; on a yes it is closed and changes work again.
TEST(HistoryModel, ARestoreThatCannotBeFinishedIsOfferedToBeClosed) {
    AddOnDrive d;
    d.Install(kClassic, "Ferrari 312");
    const std::string journal = "C:\\sierra\\gpl\\movrand\\history\\restore.step";
    d.Write(journal, "restore\tRestored to step 0\nstep\t2\nreverse\t1\n");
    fs::remove(d.Native(Ferrari("fer9.3do")));
    fs::create_directory(d.Native(Ferrari("fer9.3do")));
    const Photo before = PhotoOf(d);
    for (const bool yes : {false, true}) {
        SCOPED_TRACE(yes ? "yes" : "no");
        d.Ui.Answers = {yes};
        d.Ui.Traps.clear();
        history::SettleHistory(d.Pv, d.Ui);
        EXPECT_NE(d.Ui.Transcript().find(journal +
                                         " and cannot be finished: Cannot take the "
                                         "steps back: a folder stands at " +
                                         Ferrari("fer9.3do")),
                  std::string::npos)
            << d.Ui.Transcript();
        EXPECT_EQ(d.Exists(journal), !yes);
        EXPECT_EQ(PhotoOf(d), before);
        EXPECT_EQ(LatestStep(d), 1);
        d.Install(kClassic, "Red Wheels");
        ASSERT_EQ(d.Ui.Traps.size(), yes ? 0u : 1u) << d.Ui.Transcript();
        if (!yes) {
            EXPECT_NE(d.Ui.Traps[0].Text.find("history abandon"), std::string::npos);
        }
    }
}

// A damaged record of a run cut short, with no restore under way: the start names it and the
// way out, and on a no every change and every undo is refused naming it; on a yes it is set
// aside in the history as it was, the game left as it is, and changes work again.
TEST(HistoryModel, ADamagedRecordOfACutRunIsOfferedToBeSetAside) {
    AddOnDrive d;
    d.Install(kClassic, "Ferrari 312");
    const std::string pending = "C:\\sierra\\gpl\\movrand\\history\\pending.step";
    const std::string damaged = "movrand-history-step 1\nnumber\t2\npath\tnonsense\t?\tx\n";
    d.Write(pending, damaged);
    const Photo before = PhotoOf(d);
    for (const bool yes : {false, true}) {
        SCOPED_TRACE(yes ? "yes" : "no");
        d.Ui.Answers = {yes};
        d.Ui.Traps.clear();
        history::SettleHistory(d.Pv, d.Ui);
        EXPECT_NE(d.Ui.Transcript().find(pending + " is damaged"), std::string::npos)
            << d.Ui.Transcript();
        EXPECT_EQ(d.Exists(pending), !yes);
        EXPECT_EQ(history::CarryOut(d.Pv, d.Ui, history::PlanUndo(d.Pv)).Outcome ==
                      history::RestoreOutcome::Refused,
                  !yes);
        if (!yes) {
            EXPECT_EQ(PhotoOf(d), before);
            d.Install(kClassic, "Red Wheels");
            ASSERT_EQ(d.Ui.Traps.size(), 1u) << d.Ui.Transcript();
            EXPECT_NE(d.Ui.Traps[0].Text.find("history abandon"), std::string::npos);
        }
    }
    EXPECT_EQ(d.Read(pending + ".damaged"), damaged);
    EXPECT_EQ(LatestStep(d), 2);
}

// A plan made before the player answered is looked at again when it is carried out: what was
// changed meanwhile so that it cannot be done is refused, and nothing changes.
TEST(HistoryModel, APlanIsCheckedAgainWhenCarriedOut) {
    AddOnDrive d;
    d.Ui.DefaultAnswer = true;
    d.Install(kClassic, "Ferrari 312");
    const history::RestorePlan plan = history::PlanRestore(d.Pv, 0);
    ASSERT_EQ(plan.Refusal, "");
    fs::remove(d.Native(Ferrari("fer9.3do")));
    fs::create_directory(d.Native(Ferrari("fer9.3do")));
    const Photo before = PhotoOf(d);
    const history::RestoreResult result = history::CarryOut(d.Pv, d.Ui, plan);
    EXPECT_EQ(result.Outcome, history::RestoreOutcome::Refused);
    EXPECT_NE(result.Message.find(Ferrari("fer9.3do")), std::string::npos) << result.Message;
    EXPECT_EQ(PhotoOf(d), before);
}

// A restore failing at each of its file-system steps in turn is taken back to where it began,
// says so, and leaves no journal: the next start has nothing to settle and the restore can be
// made again.
TEST(HistoryModel, RestoreFailingAtAnyStepIsTakenBackWhole) {
    std::map<int, Photo> photos;
    history::RestoreResult result;
    FaultSweep sweep;
    sweep.Prepare = [&](TempDrive& drive) {
        PrepareAddOns(drive);
        drive.Ui.DefaultAnswer = true;
        WriteCarFolder(drive.Native("C:\\carfolders\\classic"), "classic");
        photos[0] = PhotoOf(drive);
        InstallEntry(drive, kClassic, "Ferrari 312");
        InstallEntry(drive, kClassic, "Red Wheels");
        SwapCarFolder(drive.Pv, drive.Ui, {"C:\\carfolders\\classic", "", "", true, true});
        ASSERT_EQ(LatestStep(drive), 3);
        photos[3] = PhotoOf(drive);
    };
    sweep.Operation = [&](TempDrive& drive) {
        result = history::CarryOut(drive.Pv, drive.Ui, history::PlanRestore(drive.Pv, 0));
    };
    sweep.Check = [&](TempDrive& drive, int step) {
        SCOPED_TRACE("failed at " + std::to_string(step));
        EXPECT_EQ(result.Outcome, history::RestoreOutcome::Failed);
        EXPECT_NE(result.Message.find("Disk full"), std::string::npos) << result.Message;
        EXPECT_FALSE(drive.Exists("C:\\sierra\\gpl\\movrand\\history\\restore.step"));
        EXPECT_EQ(Differences(PhotoOf(drive), photos[3]), "") << result.Message;
        history::SettleHistory(drive.Pv, drive.Ui);
        EXPECT_EQ(Differences(PhotoOf(drive), photos[3]), "");
        history::CarryOut(drive.Pv, drive.Ui, history::PlanRestore(drive.Pv, 0), false);
        EXPECT_EQ(Differences(PhotoOf(drive), photos[0]), "") << drive.Ui.Transcript();
    };
    EXPECT_GT(sweep.Run(), 10);
}

// A power cut at any step of an operation leaves, once the next start has settled, the
// installation as before, or changed with a step that takes it back to before.
TEST(HistoryModel, APowerCutLeavesBeforeOrAfterWithItsStep) {
    const std::pair<const char*, std::function<void(AddOnDrive&)>> rows[] = {
        {"car number", [](AddOnDrive& d) { AssignCarNumber(d.Pv, d.Ui, 3, "27"); }},
        {"accessory over the game's car",
         [](AddOnDrive& d) { d.Install("C:\\addons\\Mirrors", "Mirrors"); }},
        {"undo", [](AddOnDrive& d) { history::CarryOut(d.Pv, d.Ui, history::PlanUndo(d.Pv)); }}};
    for (const auto& [what, operation] : rows) {
        for (int at = 1;; ++at) {
            AddOnDrive drive;
            drive.Ui.DefaultAnswer = true;
            drive.MakeOneEntry("Mirrors", "ferrari", "Mirrors", "accessory",
                               {{"fer9.mip", "new mirrors"}, {"mirror.mip", "a mirror"}}, "");
            if (std::string(what) == "undo") drive.Install(kClassic, "Ferrari 312");
            const Photo before = PhotoOf(drive);
            const int steps = LatestStep(drive);
            drive.Pv.Env.Faults = std::make_shared<platform::FaultPlan>();
            PowerCut cut(drive.DriveC(), *drive.Pv.Env.Faults, at);
            try {
                operation(drive);
            } catch (const platform::RuntimeError&) {
                // The cut; what the disk kept is looked at below.
            }
            if (!cut.Happened()) break;
            SCOPED_TRACE(std::string(what) + ", power cut at " + cut.Step());
            cut.Restore();
            drive.Pv.Env.Faults.reset();
            history::SettleHistory(drive.Pv, drive.Ui);
            if (LatestStep(drive) > steps) {
                EXPECT_TRUE(history::VerifyInstallation(drive.Pv).empty());
                history::CarryOut(drive.Pv, drive.Ui, history::PlanRestore(drive.Pv, steps));
            }
            ASSERT_EQ(Differences(PhotoOf(drive), before), "") << drive.Ui.Transcript();
        }
    }
}

// Runs `operation` in a child process that ends at once, as a kill ends it, before its `at`-th
// change of the disk. False when it ran through without reaching it.
bool KilledAt(TempDrive& d, int at, const std::function<void()>& operation) {
    const pid_t child = ::fork();
    if (child == 0) {
        d.Pv.Env.Faults = std::make_shared<platform::FaultPlan>();
        d.Pv.Env.Faults->BeforeEach([at, count = 0](const std::string&) mutable {
            if (++count == at) ::_exit(1);
        });
        operation();
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 1;
}

// A swap killed at any step is settled by the next start before it knows the installation: the
// swap and its settling are one step (none where it was taken back whole), which takes the
// folders back to before.
TEST(HistoryModel, ASwapKilledAnywhereIsOneStepOnceSettled) {
    const CarFolderPage page{"C:\\carfolders\\classic", "C:\\carfolders", "old", false, true};
    for (int at = 1;; ++at) {
        AddOnDrive d;
        d.Ui.DefaultAnswer = true;
        WriteCarFolder(d.Native(page.Source), "classic");
        const Photo before = PhotoOf(d);
        if (!KilledAt(d, at, [&] { SwapCarFolder(d.Pv, d.Ui, page); })) break;
        SCOPED_TRACE("killed at change " + std::to_string(at));
        ASSERT_TRUE(LockInstallation(d.Pv, d.Ui, d.Pv.GPLPath));  // as the start takes it
        const std::string installation = std::exchange(d.Pv.GPLPath, "");
        ASSERT_TRUE(SettleInterruptedSwap(d.Pv, d.Ui)) << d.Ui.Transcript();
        d.Pv.GPLPath = installation;
        history::SettleHistory(d.Pv, d.Ui);
        ASSERT_LE(LatestStep(d), 1);
        if (LatestStep(d) == 1) {
            EXPECT_TRUE(history::VerifyInstallation(d.Pv).empty());
            history::CarryOut(d.Pv, d.Ui, history::PlanRestore(d.Pv, 0));
        }
        ASSERT_EQ(Differences(PhotoOf(d), before), "") << d.Ui.Transcript();
    }
}

// The history the restores below cross: eight steps with two swaps, a removal and an
// earlier restore among them; `target` is the photograph of the installation before them.
void MakeCrossedHistory(AddOnDrive& d, Photo& target) {
    d.Ui.DefaultAnswer = true;
    WriteCarFolder(d.Native("C:\\carfolders\\classic"), "classic");
    target = PhotoOf(d);
    d.Install(kClassic, "Ferrari 312");
    d.Install(kClassic, "Red Wheels");
    AssignCarNumber(d.Pv, d.Ui, 3, "27");
    RemoveAddOnFiles(d.Pv, d.Ui, FerrariPosition(), "Red Wheels");
    SwapCarFolder(d.Pv, d.Ui, {"C:\\carfolders\\classic", "C:\\carfolders", "old", false, true});
    history::CarryOut(d.Pv, d.Ui, history::PlanRestore(d.Pv, 3));
    d.Install(kClassic, "Chrome Mirrors");
    SwapCarFolder(d.Pv, d.Ui, {"C:\\carfolders\\classic", "C:\\carfolders", "mine", false, true});
    ASSERT_EQ(LatestStep(d), 8) << d.Ui.Transcript();
}

// The steps a restore crosses are taken back as one: it gives back the photograph of its target
// and waits for the disk fewer times than taking them back one by one did.
TEST(HistoryModel, ARestoreAcrossManyStepsIsOneWalk) {
    struct Counted : platform::SyncListener {
        int Syncs = 0;
        void Synced(int, platform::SyncKind) override { ++Syncs; }
    };
    Photo target;
    AddOnDrive d;
    MakeCrossedHistory(d, target);
    Counted counted;
    platform::ListenToSyncs(&counted);
    const history::RestoreResult result =
        history::CarryOut(d.Pv, d.Ui, history::PlanRestore(d.Pv, 0));
    platform::ListenToSyncs(nullptr);
    ASSERT_EQ(result.Outcome, history::RestoreOutcome::Done) << d.Ui.Transcript();
    EXPECT_EQ(Differences(PhotoOf(d), target), "");
    EXPECT_TRUE(history::VerifyInstallation(d.Pv).empty());
    // Step by step it waited 79 times; what differs is a few groups of files and the moves
    // of the two swaps.
    EXPECT_LE(counted.Syncs, 50);
}

// A power cut at any change of that restore leaves, once the next start has settled, the
// installation before it or at its target.
TEST(HistoryModel, APowerCutAnywhereInARestoreAcrossManyStepsLeavesBeforeOrTarget) {
    for (int at = 1;; ++at) {
        Photo target;
        AddOnDrive d;
        MakeCrossedHistory(d, target);
        const Photo before = PhotoOf(d);
        d.Pv.Env.Faults = std::make_shared<platform::FaultPlan>();
        PowerCut cut(d.DriveC(), *d.Pv.Env.Faults, at);
        try {
            history::CarryOut(d.Pv, d.Ui, history::PlanRestore(d.Pv, 0));
        } catch (const platform::RuntimeError&) {
            // The cut; what the disk kept is looked at below.
        }
        if (!cut.Happened()) break;
        SCOPED_TRACE("power cut at " + cut.Step());
        cut.Restore();
        d.Pv.Env.Faults.reset();
        history::SettleHistory(d.Pv, d.Ui);
        const Photo after = PhotoOf(d);
        EXPECT_TRUE(Differences(after, before).empty() || Differences(after, target).empty())
            << Differences(after, target) << d.Ui.Transcript();
        EXPECT_TRUE(history::VerifyInstallation(d.Pv).empty());
    }
}

// The same for a kill at any change.
TEST(HistoryModel, AKillAnywhereInARestoreAcrossManyStepsLeavesBeforeOrTarget) {
    for (int at = 1;; ++at) {
        Photo target;
        AddOnDrive d;
        MakeCrossedHistory(d, target);
        const Photo before = PhotoOf(d);
        if (!KilledAt(d, at, [&] { history::CarryOut(d.Pv, d.Ui, history::PlanRestore(d.Pv, 0)); }))
            break;
        SCOPED_TRACE("killed at change " + std::to_string(at));
        history::SettleHistory(d.Pv, d.Ui);
        const Photo after = PhotoOf(d);
        EXPECT_TRUE(Differences(after, before).empty() || Differences(after, target).empty())
            << Differences(after, target) << d.Ui.Transcript();
        EXPECT_TRUE(history::VerifyInstallation(d.Pv).empty());
    }
}

}  // namespace
}  // namespace movrand::test
