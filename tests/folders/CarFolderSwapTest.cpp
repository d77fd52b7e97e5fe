#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>

#include "TempDrive.h"
#include "folders/CarFolderSwap.h"
#include "platform/FaultPlan.h"
#include "platform/RuntimeError.h"

namespace movrand::test {
namespace {

namespace fs = std::filesystem;
using Tree = std::map<std::string, std::string>;

// Every file under a folder, by relative path, with its content.
Tree Snapshot(const fs::path& folder) {
    Tree tree;
    if (!fs::exists(folder)) return tree;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const std::string name = fs::relative(entry.path(), folder).generic_string();
        if (entry.is_directory()) {
            tree[name + "/"] = "";
        } else if (entry.is_regular_file()) {
            std::ifstream in(entry.path(), std::ios::binary);
            tree[name] = std::string(std::istreambuf_iterator<char>(in), {});
        } else {
            tree[name] = "(special)";
        }
    }
    return tree;
}

const char* kTeams[] = {"brabham", "brm", "coventry", "eagle", "ferrari", "lotus", "murasama"};

struct Swap {
    TempDrive drive;
    CarFolderPage page;

    Swap() {
        MakeCarFolder("C:\\carfolders\\classic", "classic");
        fs::create_directories(drive.Native("C:\\backup"));
        page.Source = "C:\\carfolders\\classic";
        page.Destination = "C:\\backup";
    }
    void MakeCarFolder(const std::string& folder, const std::string& tag) {
        for (const char* team : kTeams)
            drive.Write(folder + "\\" + team + "\\" + team + ".dat", tag + " " + team + "\r\n");
    }
    fs::path Live() const { return drive.Native("C:\\sierra\\gpl\\cars\\cars67"); }
    fs::path Source() const { return drive.Native("C:\\carfolders\\classic"); }
    SwapResult Run() { return SwapCarFolder(drive.Pv, drive.Ui, page); }
    // The folders beside the live folder, so leftovers show.
    std::vector<std::string> CarsFolder() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(Live().parent_path()))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST(CarFolderSwap, DeleteAndCopyAsksTheJoinedQuestionAndKeepsTheSource) {
    Swap s;
    const Tree source = Snapshot(s.Source());
    s.page.DeleteCurrent = true;
    s.drive.Ui.Answers = {true};
    const SwapResult result = s.Run();
    EXPECT_EQ(result.Outcome, SwapOutcome::Swapped) << s.drive.Ui.Transcript();
    ASSERT_EQ(s.drive.Ui.Questions.size(), 1u);
    const platform::Question& q = s.drive.Ui.Questions[0];
    EXPECT_EQ(
        q.Message,
        "The current GPL car folder will be deleted  and the selected new folder will become the new GPL Cars Folder by being copied into the GPL folder.\r\n\r\nDo you wish to continue?");
    EXPECT_EQ(q.MyWidth, 5300);
    EXPECT_EQ(q.MyHeight, 3200);
    EXPECT_EQ(q.YesTooltip, "");
    EXPECT_EQ(q.NoTooltip, "");
    EXPECT_EQ(Snapshot(s.Live()), source);
    EXPECT_EQ(Snapshot(s.Source()), source);
    EXPECT_EQ(s.CarsFolder(), std::vector<std::string>{"cars67"});  // the old one is gone
    EXPECT_TRUE(s.drive.Ui.Traps.empty());
}

TEST(CarFolderSwap, RenameAndMovePutsTheOldFolderInTheDestination) {
    Swap s;
    const Tree old = Snapshot(s.Live());
    const Tree source = Snapshot(s.Source());
    s.page.NewName = "cars67_1967";
    s.page.Move = true;
    s.drive.Ui.Answers = {true};
    EXPECT_EQ(s.Run().Outcome, SwapOutcome::Swapped) << s.drive.Ui.Transcript();
    EXPECT_EQ(
        s.drive.Ui.Questions.at(0).Message,
        "The current GPL car folder will be renamed as cars67_1967 and will be moved to the selected destination  and the selected new folder will become the new GPL Cars Folder by being moved into the GPL folder.\r\n\r\nDo you wish to continue?");
    EXPECT_EQ(Snapshot(s.drive.Native("C:\\backup\\cars67_1967")), old);
    EXPECT_EQ(Snapshot(s.Live()), source);
    EXPECT_FALSE(fs::exists(s.Source()));
}

TEST(CarFolderSwap, DeleteAndMoveAndRenameAndCopy) {
    {
        Swap s;
        const Tree source = Snapshot(s.Source());
        s.page.DeleteCurrent = true;
        s.page.Move = true;
        s.drive.Ui.Answers = {true};
        EXPECT_EQ(s.Run().Outcome, SwapOutcome::Swapped);
        EXPECT_EQ(Snapshot(s.Live()), source);
        EXPECT_FALSE(fs::exists(s.Source()));
        EXPECT_EQ(s.CarsFolder(), std::vector<std::string>{"cars67"});
    }
    {
        Swap s;
        const Tree old = Snapshot(s.Live());
        const Tree source = Snapshot(s.Source());
        s.page.NewName = "old";
        s.drive.Ui.Answers = {true};
        EXPECT_EQ(s.Run().Outcome, SwapOutcome::Swapped);
        EXPECT_EQ(Snapshot(s.drive.Native("C:\\backup\\old")), old);
        EXPECT_EQ(Snapshot(s.Live()), source);
        EXPECT_EQ(Snapshot(s.Source()), source);
    }
}

TEST(CarFolderSwap, AnExistingTargetIsOverwrittenOnlyOnYes) {
    Swap s;
    const Tree old = Snapshot(s.Live());
    const Tree source = Snapshot(s.Source());
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
    EXPECT_EQ(Snapshot(s.Live()), old);
    EXPECT_EQ(s.drive.Read("C:\\backup\\old\\stale.txt"), "stale\r\n");

    s.drive.Ui.Answers = {true, true};
    EXPECT_EQ(s.Run().Outcome, SwapOutcome::Swapped) << s.drive.Ui.Transcript();
    EXPECT_EQ(Snapshot(s.drive.Native("C:\\backup\\old")), old);  // stale.txt went with it
    EXPECT_EQ(Snapshot(s.Live()), source);
    const std::vector<std::string> backup = {"old"};
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(s.drive.Native("C:\\backup")))
        names.push_back(e.path().filename().string());
    EXPECT_EQ(names, backup);
}

TEST(CarFolderSwap, AReadOnlyTargetRefusesTheOverwriteBeforeAnythingMoves) {
    Swap s;
    const Tree old = Snapshot(s.Live());
    s.drive.Write("C:\\backup\\old\\locked.txt", "locked\r\n");
    s.drive.Pv.Files().SetReadOnly("C:\\backup\\old\\locked.txt", true);
    s.page.NewName = "old";
    s.drive.Ui.Answers = {true, true};
    EXPECT_EQ(s.Run().Outcome, SwapOutcome::Failed);
    ASSERT_EQ(s.drive.Ui.Traps.size(), 1u);
    EXPECT_EQ(s.drive.Ui.Traps[0].Text, "70\r\nPermission denied");
    EXPECT_EQ(s.drive.Ui.Traps[0].Title, "MovrandError");
    EXPECT_EQ(Snapshot(s.Live()), old);
    EXPECT_EQ(s.drive.Read("C:\\backup\\old\\locked.txt"), "locked\r\n");
}

TEST(CarFolderSwap, RefusalsAndNoChangeNothing) {
    Swap s;
    const Tree old = Snapshot(s.Live());
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
    EXPECT_EQ(Snapshot(s.Live()), old);
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
             s.MakeCarFolder("C:\\sierra\\gpl\\cars\\cars67\\stored", "stored");
             s.page.Source = "C:\\sierra\\gpl\\cars\\cars67\\stored";
         },
         "75\r\nPath/File access error"},
        {"the live folder lies inside the source",
         [](Swap& s) {
             s.MakeCarFolder("C:\\sierra\\gpl\\cars", "outer");
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
            const Tree live = Snapshot(s.Live());
            const Tree cars = Snapshot(s.Live().parent_path());
            const Tree stored = Snapshot(s.drive.Native("C:\\carfolders"));
            s.drive.Ui.Answers = {true, true};
            EXPECT_EQ(s.Run().Outcome, SwapOutcome::Failed) << c.what;
            ASSERT_EQ(s.drive.Ui.Traps.size(), 1u) << c.what;
            EXPECT_EQ(s.drive.Ui.Traps[0].Text, c.trap) << c.what;
            EXPECT_EQ(Snapshot(s.Live().parent_path()), cars) << c.what;
            EXPECT_EQ(Snapshot(s.drive.Native("C:\\carfolders")), stored) << c.what;
            EXPECT_FALSE(fs::exists(s.drive.Native("C:\\backup\\old"))) << c.what;
        }
    }
}

// Fails every file operation of the swap in turn, in every mode: until the source is in, the
// old live folder, the source and an existing target stay as they were; a failure after that
// still finishes the swap.
TEST(CarFolderSwap, AFailureAtAnyStepLosesNoFolder) {
    struct Mode {
        bool remove, move, existingTarget;
    };
    for (const Mode mode :
         {Mode{true, false, false}, Mode{true, true, false}, Mode{false, false, false},
          Mode{false, true, false}, Mode{false, false, true}, Mode{false, true, true}}) {
        const std::string label = std::string(mode.remove ? "delete" : "rename") +
                                  (mode.move ? "/move" : "/copy") +
                                  (mode.existingTarget ? "/target" : "");
        int steps = 0;
        for (int failAt = 1;; ++failAt) {
            Swap s;
            s.page.DeleteCurrent = mode.remove;
            s.page.NewName = mode.remove ? "" : "old";
            s.page.Move = mode.move;
            if (mode.existingTarget) s.drive.Write("C:\\backup\\old\\keep.txt", "keep\r\n");
            const Tree live = Snapshot(s.Live());
            const Tree source = Snapshot(s.Source());
            const Tree target = Snapshot(s.drive.Native("C:\\backup\\old"));
            auto faults = std::make_shared<platform::FaultPlan>();
            s.drive.Pv.Env.Faults = faults;
            faults->FailAt(failAt, platform::kDiskFull);
            s.drive.Ui.Answers = {true, true};
            const SwapResult result = s.Run();
            if (s.drive.Ui.Traps.empty()) {
                // No step failed: every step has been tried.
                EXPECT_EQ(result.Outcome, SwapOutcome::Swapped) << label;
                steps = failAt - 1;
                break;
            }
            ASSERT_EQ(s.drive.Ui.Traps.size(), 1u) << label;
            EXPECT_EQ(s.drive.Ui.Traps[0].Text, "61\r\nDisk full") << label << " " << failAt;
            const std::string failed = faults->LastFailure();
            if (result.Outcome == SwapOutcome::Swapped) {
                // The stored folder had taken the live one's place when a later step failed:
                // the swap was finished all the same and nothing is lost.
                EXPECT_EQ(Snapshot(s.Live()), source) << label;
                if (!mode.remove) {
                    EXPECT_EQ(Snapshot(s.drive.Native("C:\\backup\\old")), live) << label;
                }
                EXPECT_EQ(s.CarsFolder(), std::vector<std::string>{"cars67"}) << label << failed;
            } else {
                EXPECT_EQ(result.Outcome, SwapOutcome::Failed) << label;
                EXPECT_EQ(Snapshot(s.Live()), live) << label << " at " << failed;
                EXPECT_EQ(Snapshot(s.Source()), source) << label << " at " << failed;
                EXPECT_EQ(Snapshot(s.drive.Native("C:\\backup\\old")), target)
                    << label << " at " << failed;
                EXPECT_EQ(s.CarsFolder(), std::vector<std::string>{"cars67"})
                    << label << " at " << failed;
            }
        }
        // The journal written, the source brought beside the live folder (a copy makes the
        // folder, the seven team folders and their seven files), the exchange, the old folder
        // moved or deleted, the journal deleted; an earlier folder under the new name moved
        // aside and deleted at the end.
        EXPECT_EQ(steps, 7 + (mode.existingTarget ? 2 : 0) + (mode.move ? 0 : 14)) << label;
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
        const Tree live = Snapshot(s.Live());
        const Tree source = Snapshot(s.Source());
        s.page.DeleteCurrent = remove;
        s.page.NewName = remove ? "" : "old";
        s.drive.Ui.Answers = {true};
        EXPECT_EQ(s.Run().Outcome, SwapOutcome::Failed);
        EXPECT_EQ(s.drive.Ui.Traps.size(), 1u);
        EXPECT_EQ(Snapshot(s.Live()), live);
        EXPECT_EQ(Snapshot(s.Source()), source);
        EXPECT_EQ(s.CarsFolder(), std::vector<std::string>{"cars67"});
        EXPECT_FALSE(fs::exists(s.drive.Native("C:\\backup\\old")));
    }
}

}  // namespace
}  // namespace movrand::test
