// SPDX-License-Identifier: GPL-3.0-or-later
// A second user of a shared, group-writable prefix puts links where the installation's folders
// were, and locks what anyone who can read the installation can open.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <iostream>

#include "../addons/AddOnFixture.h"
#include "GameGuard.h"
#include "OtherUser.h"
#include "Samples.h"
#include "history/HistoryRestore.h"
#include "installation/Installations.h"

namespace movrand::test {
namespace {

namespace fs = std::filesystem;

// Lets everyone through the folders from the drive down to `folder`, and write into `folder`.
void Share(const TempDrive& drive, const fs::path& folder) {
    for (fs::path at = folder; at != drive.Root().parent_path(); at = at.parent_path())
        fs::permissions(at, fs::perms::others_read | fs::perms::others_exec, fs::perm_options::add);
    fs::permissions(folder, fs::perms::all);
}

// Makes the link, as the other user where there is one.
void LinkAsOtherUser(const fs::path& target, const fs::path& link) {
    const auto make = [&] {
        std::error_code ec;
        if (fs::exists(fs::symlink_status(link))) fs::rename(link, link.string() + ".moved", ec);
        fs::create_directory_symlink(target, link, ec);
        return !ec;
    };
    if (const OtherUser* other = OtherUser::Get())
        ASSERT_TRUE(other->Run(make));
    else
        ASSERT_TRUE(make());
}

TEST(SharedInstallation, ALinkOnTheWayIsRefusedByNameAndNothingMoves) {
    struct Row {
        const char* linked;  // below C:\sierra\gpl
        bool accessory;
    };
    for (const Row& row : {Row{"cars\\replacedcars", false}, Row{"cars\\replacedaccessories", true},
                           Row{"cars\\cars67", false}, Row{"cars", true}}) {
        SCOPED_TRACE(row.linked);
        AddOnDrive drive;
        MakeLiveries(drive.DriveC());
        // The first user's own folder, outside the installation: a car folder of their own.
        const fs::path home = drive.Root() / "home" / "first";
        WriteCarFolder(home / "cars" / "cars67", "mine");
        fs::create_directories(home / "cars" / "replacedcars");
        fs::create_directories(home / "cars" / "replacedaccessories");
        const fs::path link = drive.Native(std::string("C:\\sierra\\gpl\\") + row.linked);
        Share(drive, link.parent_path());
        std::string below = row.linked;
        std::replace(below.begin(), below.end(), '\\', '/');
        LinkAsOtherUser(home / below, link);
        const Files mine = TreeOf(home), installation = TreeOf(drive.Native("C:\\sierra\\gpl"));

        const InstallOutcome outcome =
            row.accessory ? drive.Install("C:\\addons\\Team Liveries", "Blue Livery")
                          : drive.Install(kClassic, "Ferrari 312");
        EXPECT_EQ(outcome, InstallOutcome::Failed) << drive.Ui.Transcript();
        ASSERT_EQ(drive.Ui.Traps.size(), 1u) << drive.Ui.Transcript();
        EXPECT_NE(drive.Ui.Traps[0].Text.find(std::string("C:\\sierra\\gpl\\") + row.linked +
                                              " is a link"),
                  std::string::npos)
            << drive.Ui.Traps[0].Text;
        EXPECT_EQ(Differences(TreeOf(home), mine), "");
        EXPECT_EQ(Differences(TreeOf(drive.Native("C:\\sierra\\gpl")), installation), "");
    }
}

// Another user who may only read the installation locks its folder (or tries its lock file):
// the run still gets its lock, and the lock file is closed to that user.
TEST(SharedInstallation, AReaderCannotTakeTheInstallationsLock) {
    const OtherUser* other = OtherUser::Get();
    if (!other) GTEST_SKIP() << "only root can make a second user";
    TempDrive drive;
    const fs::path gpl = drive.Native("C:\\sierra\\gpl");
    Share(drive, gpl);
    fs::permissions(gpl, fs::perms::others_write | fs::perms::group_write,
                    fs::perm_options::remove);
    drive.Pv.Env.LockWait = std::chrono::milliseconds(200);
    const auto lockAsReader = [&] {
        const int fd = ::open(gpl.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        return fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    };
    bool locked = false;
    ASSERT_TRUE(other->Run(
        lockAsReader, [&] { locked = LockInstallation(drive.Pv, drive.Ui, drive.Pv.GPLPath); }));
    EXPECT_TRUE(locked) << drive.Ui.Transcript();
    struct stat st {};
    ASSERT_EQ(::stat((gpl / "movrand" / "movrand.lock").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 077, 0u) << std::oct << st.st_mode;
    EXPECT_FALSE(other->Run([&] {
        const int fd = ::open((gpl / "movrand" / "movrand.lock").c_str(), O_RDONLY | O_CLOEXEC);
        return fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    }));
}

TEST(SharedInstallation, ALinkInPlaceOfTheLockIsRefused) {
    for (const char* linked : {"movrand", "movrand/movrand.lock"}) {
        SCOPED_TRACE(linked);
        TempDrive drive;
        const fs::path gpl = drive.Native("C:\\sierra\\gpl");
        const fs::path elsewhere = drive.Root() / "elsewhere";
        fs::create_directories(elsewhere / "movrand.lock");
        fs::create_directories((gpl / linked).parent_path());
        fs::create_symlink(elsewhere / fs::path(linked).filename(), gpl / linked);
        EXPECT_FALSE(LockInstallation(drive.Pv, drive.Ui, drive.Pv.GPLPath));
        ASSERT_EQ(drive.Ui.Messages.size(), 1u);
        EXPECT_NE(drive.Ui.Messages[0].Text.find("is a link"), std::string::npos)
            << drive.Ui.Messages[0].Text;
    }
}

// A prefix shared by a group, its history begun by one user of the group whose umask closes it
// to the group: a second user of the group records a step in it and undoes that step, and the
// first user then undoes their own. Neither is root, so each really needs the group's rights.
TEST(SharedInstallation, TheGroupsUsersShareTheHistory) {
    const OtherUser* first = OtherUser::Get();
    const OtherUser* second = OtherUser::Partner();
    if (!first || !second) GTEST_SKIP() << "only root can make two users of a group";
    AddOnDrive drive;
    MakeLiveries(drive.DriveC());
    const fs::path gpl = drive.Native("C:\\sierra\\gpl");
    Share(drive, gpl);
    fs::permissions(gpl, fs::perms::others_write, fs::perm_options::remove);
    for (const auto& entry : fs::recursive_directory_iterator(gpl)) {
        ASSERT_EQ(::lchown(entry.path().c_str(), static_cast<uid_t>(-1), first->Gid), 0);
        fs::permissions(entry.path(), fs::perms::group_read | fs::perms::group_write,
                        fs::perm_options::add);
    }
    ASSERT_EQ(::chown(gpl.c_str(), static_cast<uid_t>(-1), first->Gid), 0);
    const auto undo = [&] {
        try {
            const history::RestoreResult result =
                history::CarryOut(drive.Pv, drive.Ui, history::PlanUndo(drive.Pv), false);
            if (result.Outcome != history::RestoreOutcome::Done)
                std::cerr << result.Message << drive.Ui.Transcript() << "\n";
            return result.Outcome == history::RestoreOutcome::Done;
        } catch (const std::exception& e) {
            std::cerr << e.what() << "\n";  // the path refused is named
            return false;
        }
    };
    const auto install = [&](const std::string& folder, const std::string& entry) {
        const InstallOutcome installed = drive.Install(folder, entry);
        if (installed != InstallOutcome::Installed) std::cerr << drive.Ui.Transcript() << "\n";
        return installed == InstallOutcome::Installed;
    };
    EXPECT_TRUE(first->Run([&] {
        ::umask(077);
        return install("C:\\addons\\Team Liveries", "Blue Livery");
    }));
    EXPECT_TRUE(second->Run([&] {
        ::umask(022);
        return install(kClassic, "Ferrari 312") && undo();
    }));
    EXPECT_TRUE(first->Run([&] {
        ::umask(077);
        return undo() && history::PlanUndo(drive.Pv).Refusal == "There is no step to undo.";
    }));
    EXPECT_EQ(history::PlanUndo(drive.Pv).Refusal, "There is no step to undo.");
}

// Folders made in a prefix its group may write, one by one or by a copy, take the prefix's group
// and give the group what the owner has, whatever this user's umask closes.
TEST(SharedInstallation, FoldersMadeInAGroupsPrefixAreTheGroups) {
    const OtherUser* other = OtherUser::Get();
    if (!other) GTEST_SKIP() << "only root can make a second user";
    AddOnDrive drive;
    const fs::path gpl = drive.Native("C:\\sierra\\gpl");
    ASSERT_EQ(::chown(gpl.c_str(), static_cast<uid_t>(-1), other->Gid), 0);
    fs::permissions(gpl, fs::perms::group_write, fs::perm_options::add);
    const mode_t umask = ::umask(022);
    platform::FileSystem files = drive.Pv.Files();
    files.CreateFolder("C:\\sierra\\gpl\\made");
    files.CopyFolder("C:\\addons", "C:\\sierra\\gpl\\copied");
    ::umask(umask);
    std::vector<fs::path> made{gpl / "made", gpl / "copied"};
    for (const auto& entry : fs::recursive_directory_iterator(gpl / "copied"))
        if (entry.is_directory()) made.push_back(entry.path());
    ASSERT_GT(made.size(), 2u);
    for (const fs::path& folder : made) {
        struct stat st {};
        ASSERT_EQ(::stat(folder.c_str(), &st), 0);
        EXPECT_EQ(st.st_gid, other->Gid) << folder;
        EXPECT_EQ(st.st_mode & (S_IRWXG | S_ISGID), S_IRWXG | S_ISGID) << folder;
    }
}

}  // namespace
}  // namespace movrand::test
