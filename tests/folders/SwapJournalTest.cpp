#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "GameGuard.h"
#include "TempDrive.h"
#include "folders/SwapJournal.h"
#include "platform/RuntimeError.h"

namespace movrand::test {
namespace {

namespace fs = std::filesystem;
using Tree = std::map<std::string, std::string>;

// A swap stopped at a chosen point, set up by hand: the live folder "old", the stored folder
// "new" at C:\stored, the journal as the swap wrote it before anything moved.
struct Interrupted {
    TempDrive drive;
    platform::FileSystem fs = drive.Pv.Files();
    SwapJournal journal;
    Tree oldTree, newTree;

    explicit Interrupted(bool move, bool remove = false) {
        fs::remove_all(Live());
        WriteCarFolder(Live(), "old");
        WriteCarFolder(drive.DriveC() / "stored", "new");
        fs::create_directories(drive.Native("C:\\backup"));
        oldTree = TreeOf(Live());
        newTree = TreeOf(drive.Native("C:\\stored"));
        journal.Live = "C:\\sierra\\gpl\\cars\\cars67";
        journal.Staged = journal.Live + ".movrand-swap";
        journal.Exchange = journal.Live + ".movrand-exchange";
        journal.Source = "C:\\stored";
        journal.Target = remove ? "" : "C:\\backup\\old";
        journal.Move = move;
        journal.LiveIdentity = fs.FolderIdentity(journal.Live);
        WriteSwapJournal(fs, SwapJournalPath(drive.Pv), journal);
    }
    fs::path Live() const { return drive.Native("C:\\sierra\\gpl\\cars\\cars67"); }
    fs::path Staged() const { return drive.Native(journal.Staged); }
    void Settle() {
        FinishInterruptedSwap(drive.Pv);
        EXPECT_FALSE(drive.Exists(SwapJournalPath(drive.Pv)));
        EXPECT_FALSE(fs::exists(Staged()));
        EXPECT_FALSE(fs::exists(drive.Native(journal.Exchange)));
    }
    void ExpectUndone() {
        EXPECT_EQ(TreeOf(Live()), oldTree);
        EXPECT_EQ(TreeOf(drive.Native("C:\\stored")), newTree);
        if (journal.TargetAside.empty()) {
            EXPECT_FALSE(fs::exists(drive.Native("C:\\backup\\old")));
        }
    }
    void ExpectFinished() {
        EXPECT_EQ(TreeOf(Live()), newTree);
        EXPECT_EQ(fs::exists(drive.Native("C:\\stored")), !journal.Move);
        if (!journal.Target.empty()) {
            EXPECT_EQ(TreeOf(drive.Native("C:\\backup\\old")), oldTree);
        }
    }
};

void Moved(Interrupted& s) {
    fs::rename(s.drive.Native("C:\\stored"), s.Staged());
}
void Exchanged(Interrupted& s) {
    if (s.journal.Move)
        Moved(s);
    else
        fs::copy(s.drive.Native("C:\\stored"), s.Staged(), fs::copy_options::recursive);
    ASSERT_TRUE(s.fs.ExchangeFolders(s.journal.Staged, s.journal.Live));
}

// A swap stopped before the live folder and the staged one changed places is undone; one stopped
// after it is finished. Where the file system cannot change two folders' places in one step,
// three renames do it, and a stop between them is finished as well.
TEST(SwapJournal, AStoppedSwapIsUndoneOrFinished) {
    struct Case {
        const char* what;
        bool move, remove, finished;
        std::function<void(Interrupted&)> stop;
    };
    const Case cases[] = {
        {"the journal written, nothing moved", false, false, false, [](Interrupted&) {}},
        {"a copy stopped half-way", false, false, false,
         [](Interrupted& s) {
             fs::create_directories(s.Staged() / "brabham");
             fs::copy_file(s.drive.Native("C:\\stored\\brabham\\brabham.dat"),
                           s.Staged() / "brabham" / "brabham.dat");
         }},
        {"the stored folder moved beside the live one", true, false, false, Moved},
        {"a move from another disk stopped while deleting its source", true, false, false,
         [](Interrupted& s) {
             fs::copy(s.drive.Native("C:\\stored"), s.Staged(), fs::copy_options::recursive);
             fs::remove_all(s.drive.Native("C:\\stored\\lotus"));
         }},
        {"exchanged after a copy", false, false, true, Exchanged},
        {"exchanged after a move", true, false, true, Exchanged},
        {"the old folder half copied to its new place on another disk", true, false, true,
         [](Interrupted& s) {
             Exchanged(s);
             fs::create_directories(s.drive.Native("C:\\backup\\old\\ferrari"));
             fs::copy_file(s.Staged() / "ferrari" / "ferrari.dat",
                           s.drive.Native("C:\\backup\\old\\ferrari\\ferrari.dat"));
         }},
        {"deleting the old folder had begun", true, true, true,
         [](Interrupted& s) {
             Exchanged(s);
             fs::remove_all(s.Staged() / "brm");
         }},
        {"the first of three renames: the game has no live folder", true, false, true,
         [](Interrupted& s) {
             Moved(s);
             fs::rename(s.Live(), s.drive.Native(s.journal.Exchange));
         }},
        {"the second of three renames", true, false, true,
         [](Interrupted& s) {
             Moved(s);
             fs::rename(s.Live(), s.drive.Native(s.journal.Exchange));
             fs::rename(s.Staged(), s.Live());
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Interrupted s(c.move, c.remove);
        c.stop(s);
        s.Settle();
        if (c.finished)
            s.ExpectFinished();
        else
            s.ExpectUndone();
    }
}

// An earlier folder under the new name, put aside by the swap, comes back when the swap is
// undone and goes when it is finished.
TEST(SwapJournal, AnEarlierFolderUnderTheNewNameComesBackOrGoes) {
    for (const bool finished : {false, true}) {
        Interrupted s(true);
        s.drive.Write("C:\\backup\\old.movrand-old\\keep.txt", "earlier");
        s.journal.TargetAside = "C:\\backup\\old.movrand-old";
        WriteSwapJournal(s.fs, SwapJournalPath(s.drive.Pv), s.journal);
        if (finished) Exchanged(s);
        s.Settle();
        if (finished) {
            s.ExpectFinished();
        } else {
            s.ExpectUndone();
            EXPECT_EQ(s.drive.Read("C:\\backup\\old\\keep.txt"), "earlier");
        }
        EXPECT_FALSE(fs::exists(s.drive.Native("C:\\backup\\old.movrand-old")));
    }
}

// A journal that names no whole swap moves nothing; one that cannot be settled stays, and the
// next swap reports why instead of starting over it.
TEST(SwapJournal, AJournalThatCannotBeSettled) {
    {
        Interrupted s(true);
        s.drive.Write(SwapJournalPath(s.drive.Pv), "[movrand swap]\r\nlive=C:\\x\r\n");
        fs::rename(s.drive.Native("C:\\stored"), s.Staged());
        FinishInterruptedSwap(s.drive.Pv);
        EXPECT_FALSE(s.drive.Exists(SwapJournalPath(s.drive.Pv)));
        EXPECT_TRUE(fs::exists(s.Staged()));  // nothing was moved on a guess
    }
    {
        Interrupted s(true);
        fs::remove_all(s.Live());  // no live folder and nothing to finish the swap with
        EXPECT_THROW(FinishInterruptedSwap(s.drive.Pv), platform::RuntimeError);
        EXPECT_TRUE(s.drive.Exists(SwapJournalPath(s.drive.Pv)));
        FinishInterruptedSwapQuietly(s.drive.Pv);
        EXPECT_TRUE(s.drive.Exists(SwapJournalPath(s.drive.Pv)));
    }
}

}  // namespace
}  // namespace movrand::test
