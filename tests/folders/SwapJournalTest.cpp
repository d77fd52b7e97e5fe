#include <gtest/gtest.h>

#include <filesystem>

#include "GameGuard.h"
#include "TempDrive.h"
#include "folders/SwapJournal.h"
#include "platform/RuntimeError.h"

namespace movrand::test {
namespace {

namespace fs = std::filesystem;
using Tree = std::map<std::string, std::string>;

const char* kTeams[] = {"brabham", "brm", "coventry", "eagle", "ferrari", "lotus", "murasama"};

// A swap stopped at a chosen point, set up by hand: the live folder "old", the stored folder
// "new" at C:\stored, the journal as the swap wrote it before anything moved.
struct Interrupted {
    TempDrive drive;
    platform::FileSystem fs = drive.Pv.Files();
    SwapJournal journal;
    Tree oldTree, newTree;

    explicit Interrupted(bool move, bool remove = false) {
        fs::remove_all(Live());
        for (const char* team : kTeams) {
            drive.Write(
                std::string("C:\\sierra\\gpl\\cars\\cars67\\") + team + "\\" + team + ".dat",
                std::string("old ") + team);
            drive.Write(std::string("C:\\stored\\") + team + "\\" + team + ".dat",
                        std::string("new ") + team);
        }
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

TEST(SwapJournal, ASwapStoppedBeforeTheChangeOfPlacesIsUndone) {
    {
        Interrupted s(false);  // a copy stopped half-way
        fs::create_directories(s.Staged() / "brabham");
        fs::copy_file(s.drive.Native("C:\\stored\\brabham\\brabham.dat"),
                      s.Staged() / "brabham" / "brabham.dat");
        s.Settle();
        s.ExpectUndone();
    }
    {
        Interrupted s(true);  // the stored folder moved beside the live one
        fs::rename(s.drive.Native("C:\\stored"), s.Staged());
        s.Settle();
        s.ExpectUndone();
    }
    {
        Interrupted s(true);  // a move from another disk stopped while deleting its source
        fs::copy(s.drive.Native("C:\\stored"), s.Staged(), fs::copy_options::recursive);
        fs::remove_all(s.drive.Native("C:\\stored\\lotus"));
        s.Settle();
        s.ExpectUndone();
    }
    {
        Interrupted s(false);  // the journal written, nothing moved yet
        s.Settle();
        s.ExpectUndone();
    }
}

TEST(SwapJournal, ASwapStoppedAfterTheChangeOfPlacesIsFinished) {
    for (const bool move : {false, true}) {
        Interrupted s(move);
        if (move)
            fs::rename(s.drive.Native("C:\\stored"), s.Staged());
        else
            fs::copy(s.drive.Native("C:\\stored"), s.Staged(), fs::copy_options::recursive);
        ASSERT_TRUE(s.fs.ExchangeFolders(s.journal.Staged, s.journal.Live));
        s.Settle();
        s.ExpectFinished();
    }
    {
        // The old folder half copied to its new place on another disk.
        Interrupted s(true);
        fs::rename(s.drive.Native("C:\\stored"), s.Staged());
        ASSERT_TRUE(s.fs.ExchangeFolders(s.journal.Staged, s.journal.Live));
        fs::create_directories(s.drive.Native("C:\\backup\\old\\ferrari"));
        fs::copy_file(s.Staged() / "ferrari" / "ferrari.dat",
                      s.drive.Native("C:\\backup\\old\\ferrari\\ferrari.dat"));
        s.Settle();
        s.ExpectFinished();
    }
    {
        // Deleting the old folder had begun.
        Interrupted s(true, true);
        fs::rename(s.drive.Native("C:\\stored"), s.Staged());
        ASSERT_TRUE(s.fs.ExchangeFolders(s.journal.Staged, s.journal.Live));
        fs::remove_all(s.Staged() / "brm");
        s.Settle();
        s.ExpectFinished();
    }
}

// Where the file system cannot change two folders' places in one step, three renames do it; a
// stop between them is finished.
TEST(SwapJournal, AChangeOfPlacesInThreeRenamesIsFinished) {
    {
        Interrupted s(true);
        fs::rename(s.drive.Native("C:\\stored"), s.Staged());
        fs::rename(s.Live(), s.drive.Native(s.journal.Exchange));  // the game has no live folder
        s.Settle();
        s.ExpectFinished();
    }
    {
        Interrupted s(true);
        fs::rename(s.drive.Native("C:\\stored"), s.Staged());
        fs::rename(s.Live(), s.drive.Native(s.journal.Exchange));
        fs::rename(s.Staged(), s.Live());
        s.Settle();
        s.ExpectFinished();
    }
}

TEST(SwapJournal, AnEarlierFolderUnderTheNewNameComesBackOrGoes) {
    {
        Interrupted s(true);
        s.drive.Write("C:\\backup\\old.movrand-old\\keep.txt", "earlier");
        s.journal.TargetAside = "C:\\backup\\old.movrand-old";
        WriteSwapJournal(s.fs, SwapJournalPath(s.drive.Pv), s.journal);
        s.Settle();
        s.ExpectUndone();
        EXPECT_EQ(s.drive.Read("C:\\backup\\old\\keep.txt"), "earlier");
    }
    {
        Interrupted s(true);
        s.drive.Write("C:\\backup\\old.movrand-old\\keep.txt", "earlier");
        s.journal.TargetAside = "C:\\backup\\old.movrand-old";
        WriteSwapJournal(s.fs, SwapJournalPath(s.drive.Pv), s.journal);
        fs::rename(s.drive.Native("C:\\stored"), s.Staged());
        ASSERT_TRUE(s.fs.ExchangeFolders(s.journal.Staged, s.journal.Live));
        s.Settle();
        s.ExpectFinished();
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
