#include <gtest/gtest.h>

#include <filesystem>

#include "GameGuard.h"
#include "TempDrive.h"
#include "folders/CarFolderSwap.h"

namespace movrand::test {
namespace {

namespace fs = std::filesystem;
using Tree = std::map<std::string, std::string>;

struct Swap {
    TempDrive drive;
    CarFolderPage page{"C:\\carfolders\\classic", "C:\\backup", "cars67_1967", false, false};
    Swap() {
        WriteCarFolder(drive.Native(page.Source), "classic");
        fs::create_directories(drive.Native("C:\\backup"));
    }
    fs::path Live() const { return drive.Native("C:\\sierra\\gpl\\cars\\cars67"); }
    SwapOutcome Run() { return SwapCarFolder(drive.Pv, drive.Ui, page).Outcome; }
};

// Each way of the swap asks its own question; on Yes the source is the live folder and the old
// one is in the destination under its new name, or gone.
TEST(CarFolderSwap, EachModeAsksItsQuestionAndSwaps) {
    const std::string deleted = "The current GPL car folder will be deleted ";
    const std::string renamed =
        "The current GPL car folder will be renamed as cars67_1967 and will be moved to the selected destination ";
    for (const bool remove : {true, false}) {
        for (const bool move : {false, true}) {
            Swap s;
            const Tree old = TreeOf(s.Live());
            const Tree source = TreeOf(s.drive.Native(s.page.Source));
            s.page.DeleteCurrent = remove;
            s.page.Move = move;
            s.drive.Ui.Answers = {true};
            EXPECT_EQ(s.Run(), SwapOutcome::Swapped) << s.drive.Ui.Transcript();
            ASSERT_EQ(s.drive.Ui.Questions.size(), 1u);
            EXPECT_EQ(
                s.drive.Ui.Questions[0].Message,
                (remove ? deleted : renamed) +
                    " and the selected new folder will become the new GPL Cars Folder by being " +
                    (move ? "moved" : "copied") +
                    " into the GPL folder.\r\n\r\nDo you wish to continue?");
            EXPECT_EQ(s.drive.Ui.Questions[0].MyWidth, 5300);
            EXPECT_EQ(s.drive.Ui.Questions[0].MyHeight, 3200);
            EXPECT_EQ(TreeOf(s.Live()), source);
            EXPECT_EQ(TreeOf(s.drive.Native(s.page.Source)), move ? Tree{} : source);
            EXPECT_EQ(TreeOf(s.drive.Native("C:\\backup\\cars67_1967")), remove ? Tree{} : old);
            EXPECT_TRUE(s.drive.Ui.Traps.empty()) << s.drive.Ui.Transcript();
        }
    }
}

// No name, a source that is no car folder, No to either question: nothing changes.
TEST(CarFolderSwap, RefusalsAndNoChangeNothing) {
    Swap s;
    const Tree old = TreeOf(s.Live());
    s.page.NewName = "";
    const SwapResult result = SwapCarFolder(s.drive.Pv, s.drive.Ui, s.page);
    EXPECT_EQ(result.Outcome, SwapOutcome::NameMissing);
    EXPECT_TRUE(result.FocusNameBox);
    EXPECT_EQ(s.drive.Ui.Transcript(),
              "message: Please enter the new name for the Current Car Folder.\n");

    // Cooper and Honda are display names, not folders; capitals count.
    s.page.NewName = "old";
    const fs::path source = s.drive.Native(s.page.Source);
    fs::rename(source / "coventry", source / "cooper");
    EXPECT_EQ(s.Run(), SwapOutcome::SourceRefused);
    ASSERT_EQ(s.drive.Ui.Messages.size(), 2u);
    EXPECT_EQ(s.drive.Ui.Messages[1].Text,
              "New Folder is not a valid Car Folder - Please re-select.");
    EXPECT_EQ(s.drive.Ui.Messages[1].Width, 4000);
    EXPECT_EQ(s.drive.Ui.Messages[1].Height, 1500);
    fs::rename(source / "cooper", source / "COVENTRY");

    s.drive.Write("C:\\backup\\old\\stale.txt", "stale\r\n");
    for (const auto& answers : {std::deque<bool>{false}, std::deque<bool>{true, false}}) {
        s.drive.Ui.Answers = answers;
        EXPECT_EQ(s.Run(), SwapOutcome::Declined);
    }
    EXPECT_EQ(
        s.drive.Ui.Questions.back().Message,
        "The folder \r\nC:\\backup\\old\r\n already exists.\r\n\r\nDo you wish to continue (which will overwrite this folder with the current GPL Car Folder)?");
    EXPECT_EQ(TreeOf(s.Live()), old);
    EXPECT_EQ(s.drive.Read("C:\\backup\\old\\stale.txt"), "stale\r\n");
    EXPECT_TRUE(s.drive.Ui.Traps.empty());

    s.drive.Ui.Answers = {true, true};
    EXPECT_EQ(s.Run(), SwapOutcome::Swapped);
    EXPECT_EQ(TreeOf(s.drive.Native("C:\\backup\\old")), old);  // stale.txt went with it
    EXPECT_TRUE(fs::exists(s.Live() / "COVENTRY"));
}

}  // namespace
}  // namespace movrand::test
