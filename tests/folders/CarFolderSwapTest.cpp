#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>

#include "GameGuard.h"
#include "TempDrive.h"
#include "folders/CarFolderSwap.h"

namespace movrand::test {
namespace {

namespace fs = std::filesystem;
using Tree = std::map<std::string, std::string>;

struct Swap {
    TempDrive drive;
    CarFolderPage page;

    Swap() {
        WriteCarFolder(Source(), "classic");
        fs::create_directories(drive.Native("C:\\backup"));
        page.Source = "C:\\carfolders\\classic";
        page.Destination = "C:\\backup";
    }
    fs::path Live() const { return drive.Native("C:\\sierra\\gpl\\cars\\cars67"); }
    fs::path Source() const { return drive.DriveC() / "carfolders" / "classic"; }
    SwapResult Run() { return SwapCarFolder(drive.Pv, drive.Ui, page); }
    // The folders beside the live folder, so leftovers show.
    std::vector<std::string> CarsFolder() const { return Names(Live().parent_path()); }
    static std::vector<std::string> Names(const fs::path& folder) {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }
};

// Each way of the swap asks its own question; on Yes the source is the live folder and the old
// one is in the destination under its new name, or gone.
TEST(CarFolderSwap, EachModeAsksItsQuestionAndSwaps) {
    const std::string yes =
        " and the selected new folder will become the new GPL Cars Folder by being ";
    const std::string end = " into the GPL folder.\r\n\r\nDo you wish to continue?";
    const std::string deleted = "The current GPL car folder will be deleted ";
    const std::string renamed =
        "The current GPL car folder will be renamed as cars67_1967 and will be moved to the selected destination ";
    for (const bool remove : {true, false}) {
        for (const bool move : {false, true}) {
            Swap s;
            const Tree old = TreeOf(s.Live());
            const Tree source = TreeOf(s.Source());
            s.page.DeleteCurrent = remove;
            s.page.NewName = remove ? "" : "cars67_1967";
            s.page.Move = move;
            s.drive.Ui.Answers = {true};
            EXPECT_EQ(s.Run().Outcome, SwapOutcome::Swapped) << s.drive.Ui.Transcript();
            ASSERT_EQ(s.drive.Ui.Questions.size(), 1u);
            const platform::Question& q = s.drive.Ui.Questions[0];
            EXPECT_EQ(q.Message,
                      (remove ? deleted : renamed) + yes + (move ? "moved" : "copied") + end);
            EXPECT_EQ(q.MyWidth, 5300);
            EXPECT_EQ(q.MyHeight, 3200);
            EXPECT_EQ(TreeOf(s.Live()), source);
            EXPECT_EQ(fs::exists(s.Source()), !move);
            EXPECT_EQ(TreeOf(s.Source()), move ? Tree{} : source);
            EXPECT_EQ(TreeOf(s.drive.Native("C:\\backup\\cars67_1967")), remove ? Tree{} : old);
            EXPECT_EQ(s.CarsFolder(), std::vector<std::string>{"cars67"});
            EXPECT_TRUE(s.drive.Ui.Traps.empty()) << s.drive.Ui.Transcript();
        }
    }
}

TEST(CarFolderSwap, AnExistingTargetIsOverwrittenOnlyOnYes) {
    Swap s;
    const Tree old = TreeOf(s.Live());
    const Tree source = TreeOf(s.Source());
    s.drive.Write("C:\\backup\\old\\stale.txt", "stale\r\n");
    s.page.NewName = "old";
    s.drive.Ui.Answers = {true, false};
    EXPECT_EQ(s.Run().Outcome, SwapOutcome::Declined);
    ASSERT_EQ(s.drive.Ui.Questions.size(), 2u);
    const platform::Question& q = s.drive.Ui.Questions[1];
    EXPECT_EQ(
        q.Message,
        "The folder \r\nC:\\backup\\old\r\n already exists.\r\n\r\nDo you wish to continue (which will overwrite this folder with the current GPL Car Folder)?");
    EXPECT_EQ(q.MyWidth, 5300);
    EXPECT_EQ(q.MyHeight, 3200);
    EXPECT_EQ(TreeOf(s.Live()), old);
    EXPECT_EQ(s.drive.Read("C:\\backup\\old\\stale.txt"), "stale\r\n");

    s.drive.Ui.Answers = {true, true};
    EXPECT_EQ(s.Run().Outcome, SwapOutcome::Swapped) << s.drive.Ui.Transcript();
    EXPECT_EQ(TreeOf(s.drive.Native("C:\\backup\\old")), old);  // stale.txt went with it
    EXPECT_EQ(TreeOf(s.Live()), source);
    EXPECT_EQ(Swap::Names(s.drive.Native("C:\\backup")), std::vector<std::string>{"old"});
}

TEST(CarFolderSwap, AReadOnlyTargetRefusesTheOverwriteBeforeAnythingMoves) {
    Swap s;
    const Tree old = TreeOf(s.Live());
    s.drive.Write("C:\\backup\\old\\locked.txt", "locked\r\n");
    s.drive.Pv.Files().SetReadOnly("C:\\backup\\old\\locked.txt", true);
    s.page.NewName = "old";
    s.drive.Ui.Answers = {true, true};
    EXPECT_EQ(s.Run().Outcome, SwapOutcome::Failed);
    ASSERT_EQ(s.drive.Ui.Traps.size(), 1u);
    EXPECT_EQ(s.drive.Ui.Traps[0].Text, "70\r\nPermission denied");
    EXPECT_EQ(s.drive.Ui.Traps[0].Title, "MovrandError");
    EXPECT_EQ(TreeOf(s.Live()), old);
    EXPECT_EQ(s.drive.Read("C:\\backup\\old\\locked.txt"), "locked\r\n");
}

TEST(CarFolderSwap, RefusalsAndNoChangeNothing) {
    Swap s;
    const Tree old = TreeOf(s.Live());
    // No name with the box clear.
    SwapResult result = s.Run();
    EXPECT_EQ(result.Outcome, SwapOutcome::NameMissing);
    EXPECT_TRUE(result.FocusNameBox);
    ASSERT_EQ(s.drive.Ui.Messages.size(), 1u);
    EXPECT_EQ(s.drive.Ui.Messages[0].Text, "Please enter the new name for the Current Car Folder.");
    EXPECT_TRUE(s.drive.Ui.Questions.empty());

    // Cooper and Honda are display names, not folders.
    s.page.NewName = "old";
    fs::rename(s.Source() / "coventry", s.Source() / "cooper");
    fs::rename(s.Source() / "murasama", s.Source() / "honda");
    EXPECT_EQ(s.Run().Outcome, SwapOutcome::SourceRefused);
    ASSERT_EQ(s.drive.Ui.Messages.size(), 2u);
    EXPECT_EQ(s.drive.Ui.Messages[1].Text,
              "New Folder is not a valid Car Folder - Please re-select.");
    EXPECT_EQ(s.drive.Ui.Messages[1].Width, 4000);
    EXPECT_EQ(s.drive.Ui.Messages[1].Height, 1500);
    EXPECT_TRUE(s.drive.Ui.Questions.empty());

    // One team missing and an unrelated folder in its place.
    fs::rename(s.Source() / "cooper", s.Source() / "coventry");
    fs::rename(s.Source() / "honda", s.Source() / "extra");
    EXPECT_EQ(s.Run().Outcome, SwapOutcome::SourceRefused);

    // Capitals count; extra folders do not matter. No to the question changes nothing.
    fs::rename(s.Source() / "ferrari", s.Source() / "FERRARI");
    fs::rename(s.Source() / "extra", s.Source() / "Murasama");
    fs::create_directories(s.Source() / "extra");
    s.drive.Ui.Answers = {false};
    EXPECT_EQ(s.Run().Outcome, SwapOutcome::Declined);
    EXPECT_EQ(s.drive.Ui.Questions.size(), 1u);
    EXPECT_EQ(TreeOf(s.Live()), old);
    EXPECT_FALSE(fs::exists(s.drive.Native("C:\\backup\\old")));
    EXPECT_TRUE(s.drive.Ui.Traps.empty());

    s.drive.Ui.Answers = {true};
    EXPECT_EQ(s.Run().Outcome, SwapOutcome::Swapped);
    EXPECT_TRUE(fs::exists(s.Live() / "FERRARI" / "ferrari.dat"));
}

// Cases where the original order of steps left the game without a live car folder.
TEST(CarFolderSwap, ChecksBeforeAnythingMoves) {
    struct Case {
        const char* what;
        std::function<void(Swap&)> arrange;
        const char* trap;
    };
    const std::vector<Case> cases = {
        {"the live folder is missing",
         [](Swap& s) { fs::rename(s.Live(), s.Live().parent_path() / "elsewhere"); },
         "76\r\nPath not found"},
        {"the source is the live folder",
         [](Swap& s) { s.page.Source = "c:\\SIERRA\\gpl\\cars\\CARS67"; },
         "75\r\nPath/File access error"},
        {"the source lies inside the live folder",
         [](Swap& s) {
             WriteCarFolder(s.Live() / "stored", "stored");
             s.page.Source = "C:\\sierra\\gpl\\cars\\cars67\\stored";
         },
         "75\r\nPath/File access error"},
        {"the live folder lies inside the source",
         [](Swap& s) {
             WriteCarFolder(s.Live().parent_path(), "outer");
             s.page.Source = "C:\\sierra\\gpl\\cars";
         },
         "75\r\nPath/File access error"},
        {"the destination is missing", [](Swap& s) { s.page.Destination = "C:\\nowhere"; },
         "76\r\nPath not found"},
        {"the new place lies inside the live folder",
         [](Swap& s) { s.page.Destination = "C:\\sierra\\gpl\\cars\\cars67"; },
         "75\r\nPath/File access error"},
        {"the new place is the source",
         [](Swap& s) {
             s.page.Destination = "C:\\carfolders";
             s.page.NewName = "classic";
         },
         "75\r\nPath/File access error"},
    };
    for (const Case& c : cases) {
        for (bool move : {false, true}) {
            Swap s;
            s.page.NewName = "old";
            s.page.Move = move;
            c.arrange(s);
            const Tree cars = TreeOf(s.Live().parent_path());
            const Tree stored = TreeOf(s.drive.Native("C:\\carfolders"));
            s.drive.Ui.Answers = {true, true};
            EXPECT_EQ(s.Run().Outcome, SwapOutcome::Failed) << c.what;
            ASSERT_EQ(s.drive.Ui.Traps.size(), 1u) << c.what;
            EXPECT_EQ(s.drive.Ui.Traps[0].Text, c.trap) << c.what;
            EXPECT_EQ(TreeOf(s.Live().parent_path()), cars) << c.what;
            EXPECT_EQ(TreeOf(s.drive.Native("C:\\carfolders")), stored) << c.what;
            EXPECT_FALSE(fs::exists(s.drive.Native("C:\\backup\\old"))) << c.what;
        }
    }
}

// A socket cannot be copied: the copy stops half-way through the source.
void MakeSocket(const fs::path& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof(address.sun_path) - 1);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ::close(fd);
}

TEST(CarFolderSwap, AHalfFinishedCopyIsRemovedAndTheOldFolderPutBack) {
    for (bool remove : {true, false}) {
        Swap s;
        MakeSocket(s.Source() / "lotus" / "zz.sock");
        const Tree live = TreeOf(s.Live());
        const Tree source = TreeOf(s.Source());
        s.page.DeleteCurrent = remove;
        s.page.NewName = remove ? "" : "old";
        s.drive.Ui.Answers = {true};
        EXPECT_EQ(s.Run().Outcome, SwapOutcome::Failed);
        EXPECT_EQ(s.drive.Ui.Traps.size(), 1u);
        EXPECT_EQ(TreeOf(s.Live()), live);
        EXPECT_EQ(TreeOf(s.Source()), source);
        EXPECT_TRUE(fs::is_socket(s.Source() / "lotus" / "zz.sock"));
        EXPECT_EQ(s.CarsFolder(), std::vector<std::string>{"cars67"});
        EXPECT_FALSE(fs::exists(s.drive.Native("C:\\backup\\old")));
    }
}

}  // namespace
}  // namespace movrand::test
