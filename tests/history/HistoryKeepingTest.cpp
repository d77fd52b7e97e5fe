// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

#include "../addons/AddOnFixture.h"
#include "OtherUser.h"
#include "history/HistoryForget.h"
#include "history/HistoryPlace.h"
#include "history/HistoryRestore.h"
#include "platform/FileKeeping.h"
#include "platform/RuntimeError.h"

namespace movrand::test {
namespace {

namespace fs = std::filesystem;

// Three steps, the later two replacing files of the first (so the history keeps content).
void ThreeSteps(AddOnDrive& d) {
    d.Install(kClassic, "Ferrari 312");
    d.Install(kClassic, "Red Wheels");
    d.Install(kClassic, "Chrome Mirrors");
}

std::size_t ContentFiles(const AddOnDrive& d) {
    std::size_t count = 0;
    for (const auto& entry :
         fs::recursive_directory_iterator(d.DriveC() / "sierra/gpl/movrand/history/content"))
        count += entry.is_regular_file();
    return count;
}

// A lost or damaged index is refused by name, never an empty history: forget deletes nothing,
// and the next start rebuilds it from the step files, saying so.
TEST(HistoryKeeping, LostIndexIsRebuiltFromTheStepFiles) {
    for (const char* damage : {"", "movrand-history 1\t1\ngarbage\n"}) {
        AddOnDrive d;
        ThreeSteps(d);
        history::HistoryPlace place(d.Pv);
        const std::size_t steps = place.ReadIndex().size();
        const std::size_t content = ContentFiles(d);
        ASSERT_GT(content, 0u);
        if (*damage)
            d.Write(place.Index(), damage);
        else
            fs::remove(place.Native(place.Index()));
        try {
            history::ForgetStepsBefore(place, 3);
            ADD_FAILURE() << "forget ran without an index";
        } catch (const platform::RuntimeError& error) {
            EXPECT_NE(error.Description().find(place.Index()), std::string::npos);
        }
        EXPECT_EQ(ContentFiles(d), content);
        history::SettleHistory(d.Pv, d.Ui);
        ASSERT_FALSE(d.Ui.Messages.empty());
        EXPECT_NE(d.Ui.Messages.back().Text.find("rebuilt"), std::string::npos);
        EXPECT_EQ(place.ReadIndex().size(), steps);
    }
}

// A step file the index does not list keeps what it names through a forget.
TEST(HistoryKeeping, ForgetKeepsContentAnUnlistedStepNames) {
    AddOnDrive d;
    ThreeSteps(d);
    history::HistoryPlace place(d.Pv);
    std::vector<history::Step> index = place.ReadIndex();
    index.erase(index.begin() + 1);
    place.KeepFrom(1, index);
    history::ForgetStepsBefore(place, 2);
    int named = 0;
    for (int number : {2, 3})
        for (const history::StepChange& c : place.ReadStep(number).Changes)
            if (c.Before.IsFile()) named += fs::exists(place.ContentOf(c.Before.Hash)) ? 1 : -100;
    EXPECT_GT(named, 0);
}

// What a smaller limit would forget, worked out before it is set, is what it forgets: nothing,
// the first step (which alone keeps a large file), all but the newest.
TEST(HistoryKeeping, TheForgetALimitAsksAboutIsTheOneItMakes) {
    AddOnDrive d;
    d.Write(Ferrari("fer9.3do"), std::string(400000, 'x'));
    ThreeSteps(d);
    d.Install(kClassic, "Red Wheels");
    history::HistoryPlace place(d.Pv);
    const std::uint64_t size = place.Size();
    const std::pair<std::uint64_t, int> rows[] = {{size, 1}, {size - 100000, 2}, {0, 4}};
    for (const auto& [limit, first] : rows) {
        EXPECT_EQ(history::FirstKeptWithin(place, limit), first) << limit;
        place.SetLimit(limit);
        history::KeepWithinLimit(place, nullptr);
        EXPECT_EQ(place.FirstKept(), first) << limit;
    }
}

// The limit a new history measures: never 0 from a full disk, never more than 5 GB.
TEST(HistoryKeeping, TheMeasuredLimitHasAFloorAndACeiling) {
    const std::uint64_t gb = 1ull << 30;
    const struct {
        std::uint64_t free, limit;
    } rows[] = {{0, gb}, {100, gb}, {8 * gb, 2 * gb}, {1000 * gb, 5 * gb}};
    for (const auto& row : rows) EXPECT_EQ(history::MeasuredLimit(row.free), row.limit) << row.free;
}

// The size is the disk space taken: whole blocks, a file linked twice counted once.
TEST(HistoryKeeping, SizeIsTheDiskSpaceTaken) {
    AddOnDrive d;
    d.Install(kClassic, "Ferrari 312");
    history::HistoryPlace place(d.Pv);
    const std::uint64_t before = place.Size();
    const fs::path one = place.Native(place.KeptPath("x"));
    d.Write(place.KeptPath("x"), "1");
    struct stat st {};
    ASSERT_EQ(::lstat(one.c_str(), &st), 0);
    const std::uint64_t taken = static_cast<std::uint64_t>(st.st_blocks) * 512;
    EXPECT_EQ(place.Size(), before + taken);
    fs::create_hard_link(one, one.parent_path() / "y");
    EXPECT_EQ(place.Size(), before + taken);
}

// The limit holds the disk space the history takes: what a step keeps counts in whole blocks,
// so a history of small kept files whose lengths fit the limit while their blocks do not
// forgets its oldest steps.
TEST(HistoryKeeping, TheLimitCountsTheDiskSpaceTaken) {
    AddOnDrive d;
    d.Install(kClassic, "Ferrari 312");
    history::HistoryPlace place(d.Pv);
    const std::uint64_t content = platform::DiskSpaceUnder(place.Native(place.ContentFolder()));
    ASSERT_GT(content, 0u);
    EXPECT_EQ(place.ReadIndex().at(0).BytesKept, content);
    d.Install(kClassic, "Red Wheels");
    d.Install(kClassic, "Chrome Mirrors");
    std::uint64_t lengths = 0;
    for (const auto& entry : fs::recursive_directory_iterator(place.NativeFolder()))
        if (entry.is_regular_file()) lengths += entry.file_size();
    place.SetLimit(lengths);
    history::KeepWithinLimit(place, nullptr);
    EXPECT_GT(place.FirstKept(), 1);
}

// Another user's history folder (or the folder that holds it) that this user cannot read is an
// error naming it, never an empty history: not listed, verified or undone as one.
TEST(HistoryKeeping, AnUnreadableHistoryIsRefusedByName) {
    const OtherUser* other = OtherUser::Get();
    if (!other) GTEST_SKIP() << "only root can make a second user";
    AddOnDrive d;
    d.Install(kClassic, "Ferrari 312");
    history::HistoryPlace place(d.Pv);
    const fs::path folder = place.NativeFolder();
    for (fs::path at = folder.parent_path(); at != d.Root().parent_path(); at = at.parent_path())
        fs::permissions(at, fs::perms::others_read | fs::perms::others_exec, fs::perm_options::add);
    for (const fs::path& closed : {folder, folder.parent_path()}) {
        fs::permissions(closed, fs::perms::none);
        const std::function<void()> uses[] = {[&] { place.ReadIndex(); },
                                              [&] { history::VerifyInstallation(d.Pv); },
                                              [&] { history::PlanUndo(d.Pv); }};
        for (const auto& use : uses)
            EXPECT_TRUE(other->Run([&] {
                try {
                    use();
                    return false;
                } catch (const platform::RuntimeError& error) {
                    return error.Description().find(place.Folder()) != std::string::npos;
                }
            })) << closed;
        fs::permissions(closed, fs::perms::owner_all);
    }
}

// Step 1 as if it had recorded the look of what it left: of the file at `path`, given `hash` in
// place of the fingerprint it recorded, and of the kept copies of its content.
void RecordLooks(AddOnDrive& d, const std::string& path, const std::string& hash) {
    std::this_thread::sleep_for(std::chrono::milliseconds(30));  // a tick of the clock passes
    history::HistoryPlace place(d.Pv);
    history::Step step = place.ReadStep(1);
    for (history::StepChange& c : step.Changes) {
        const platform::FileFacts facts = platform::FactsOf(d.Native(c.Path));
        if (c.Path == path) {
            c.After.Device = facts.Device;
            c.After.Number = facts.Number;
            c.After.ChangedNs = facts.ChangedNs;
            c.After.Hash = hash;
        }
        if (!c.Before.IsFile()) continue;
        const platform::FileFacts kept = platform::FactsOf(place.ContentOf(c.Before.Hash));
        step.KeptCopies[c.Before.Hash] = {kept.Number, kept.Size, kept.ChangedNs};
    }
    d.Write(place.StepFile(1), history::StepText(step));
}

// A file a step left, still as it left it, is known by its look unread (here by the fingerprint
// planted in the step); changed by hand to bytes of the same size, its time put back, it is read,
// and the undo keeps what it holds.
TEST(HistoryKeeping, AFileIsKnownByItsLookOnlyWhileItHasIt) {
    const std::string planted(32, 'a');
    for (const bool byHand : {false, true}) {
        SCOPED_TRACE(byHand);
        AddOnDrive d;
        d.Install(kClassic, "Ferrari 312");
        const std::string file = Ferrari("fer9.3do");
        RecordLooks(d, file, planted);
        const std::string hand(d.Read(file).size(), 'h');
        if (byHand) {
            const auto time = fs::last_write_time(d.Native(file));
            d.Write(file, hand);
            fs::last_write_time(d.Native(file), time);
        }
        ASSERT_EQ(history::CarryOut(d.Pv, d.Ui, history::PlanUndo(d.Pv)).Outcome,
                  history::RestoreOutcome::Done);
        history::HistoryPlace place(d.Pv);
        std::string kept;
        for (const history::StepChange& c : place.ReadStep(2).Changes)
            if (c.Path == file) kept = c.Before.Hash;
        EXPECT_EQ(kept, byHand ? platform::FastHashOfBytes(hand) : planted);
        if (byHand) {
            EXPECT_EQ(ReadFile(place.ContentOf(kept)), hand);
        }
    }
}

// A kept copy damaged with its look unchanged (as the disk may damage it) is found out as it is
// put back: the undo is taken back whole, the game as it was, and the copy is named.
TEST(HistoryKeeping, AKeptCopyDamagedUnseenStopsTheUndoAsItIsPutBack) {
    AddOnDrive d;
    d.Install(kClassic, "Ferrari 312");
    history::HistoryPlace place(d.Pv);
    std::string hash;
    for (const history::StepChange& c : place.ReadStep(1).Changes)
        if (c.Path == Ferrari("fer9.3do")) hash = c.Before.Hash;
    ASSERT_FALSE(hash.empty());
    const fs::path kept = place.ContentOf(hash);
    const std::string bytes = ReadFile(kept);
    fs::remove(kept);  // a copy of its own: the history may hold it linked
    std::ofstream(kept, std::ios::binary) << std::string(bytes.size(), 'x');
    RecordLooks(d, "", "");
    const auto game = d.Snapshot("C:\\sierra\\gpl\\cars");
    const history::RestoreResult undo = history::CarryOut(d.Pv, d.Ui, history::PlanUndo(d.Pv));
    EXPECT_NE(undo.Outcome, history::RestoreOutcome::Done);
    EXPECT_NE(undo.Message.find(kept.string() + " of " + Ferrari("fer9.3do") +
                                " does not hold what the history recorded"),
              std::string::npos)
        << undo.Message;
    EXPECT_EQ(d.Snapshot("C:\\sierra\\gpl\\cars"), game);
    EXPECT_TRUE(fs::exists(kept));
}

// A link where the undo puts a file back, or in place of one of the folders that hold the
// history's copies, stops it while it is planned, by the link's name: nothing is read or written
// through it, and nothing changes.
TEST(HistoryKeeping, LinksOnTheUndosWayStopItBeforeAnythingChanges) {
    for (const bool atContent : {false, true}) {
        SCOPED_TRACE(atContent);
        AddOnDrive d;
        d.Install(kClassic, "Ferrari 312");
        d.Write("C:\\elsewhere\\mine.txt", "mine");
        history::HistoryPlace place(d.Pv);
        std::string hash;
        for (const history::StepChange& c : place.ReadStep(1).Changes)
            if (c.Path == Ferrari("fer9.3do")) hash = c.Before.Hash;
        ASSERT_FALSE(hash.empty());
        std::string named;
        if (atContent) {
            const fs::path bucket = place.ContentOf(hash).parent_path();
            fs::rename(bucket, d.DriveC() / "elsewhere" / "bucket");
            fs::create_directory_symlink(d.DriveC() / "elsewhere" / "bucket", bucket);
            named = place.ContentFolder() + "\\" + hash.substr(0, 2);
        } else {
            const fs::path file = d.Native(Ferrari("fer9.3do"));
            fs::remove(file);
            fs::create_symlink(d.DriveC() / "elsewhere" / "mine.txt", file);
            named = Ferrari("fer9.3do");
        }
        const auto game = d.Snapshot("C:\\sierra\\gpl\\cars");
        const auto elsewhere = d.Snapshot("C:\\elsewhere");
        std::string refusal;
        try {
            refusal = history::PlanUndo(d.Pv).Refusal;
        } catch (const platform::RuntimeError& error) {
            refusal = error.Description();
        }
        EXPECT_NE(refusal.find(named), std::string::npos) << refusal;
        EXPECT_NE(refusal.find("link"), std::string::npos) << refusal;
        EXPECT_EQ(d.Snapshot("C:\\sierra\\gpl\\cars"), game);
        EXPECT_EQ(d.Snapshot("C:\\elsewhere"), elsewhere);
    }
}

// A file put back takes the group of the file it replaces where that differs from the group a new
// file gets (as a shared installation's files have), and keeps the new file's group elsewhere.
TEST(HistoryKeeping, AFilePutBackTakesTheGroupOfTheFileItReplaces) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root can give a file any group";
    AddOnDrive d;
    d.Install(kClassic, "Ferrari 312");
    history::HistoryPlace place(d.Pv);
    std::vector<std::string> replaced;
    for (const history::StepChange& c : place.ReadStep(1).Changes)
        if (c.Before.IsFile()) replaced.push_back(c.Path);
    ASSERT_GE(replaced.size(), 2u);
    constexpr gid_t kOther = 65534;
    ASSERT_EQ(::lchown(d.Native(replaced[1]).c_str(), static_cast<uid_t>(-1), kOther), 0);
    ASSERT_EQ(history::CarryOut(d.Pv, d.Ui, history::PlanUndo(d.Pv), false).Outcome,
              history::RestoreOutcome::Done);
    for (std::size_t i = 0; i < replaced.size(); ++i) {
        struct stat st {};
        ASSERT_EQ(::lstat(d.Native(replaced[i]).c_str(), &st), 0);
        EXPECT_EQ(st.st_gid, i == 1 ? kOther : ::getegid()) << replaced[i];
    }
}

}  // namespace
}  // namespace movrand::test
