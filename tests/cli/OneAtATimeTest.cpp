// SPDX-License-Identifier: GPL-3.0-or-later
// Two movrand-cli runs on one installation at once, in both orders: while the first works, the
// second waits, and when the first holds on longer than the wait the second ends with exit 3,
// having changed nothing; the first then finishes, and the second run again does its work.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/ptrace.h>
#include <sys/syscall.h>
#include <sys/user.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

#include "CliRunner.h"
#include "FileSnapshot.h"
#include "KilledRun.h"

namespace movrand::test {
namespace {

using Args = std::vector<std::string>;

// Starts movrand-cli traced and holds it as it is about to rename a file for the first time (the
// working copy or the journal put in place): in the middle of its work.
pid_t StartHeldAtFirstRename(const CliMachine& machine, const Args& args) {
    const pid_t pid = ::fork();
    if (pid == 0) ExecCli(machine, args, true);
    int status = 0;
    ::waitpid(pid, &status, 0);
    ::ptrace(PTRACE_SETOPTIONS, pid, nullptr, PTRACE_O_TRACESYSGOOD | PTRACE_O_EXITKILL);
    for (bool entering = false;;) {
        ::ptrace(PTRACE_SYSCALL, pid, nullptr, 0);  // the program sends itself no signals
        if (::waitpid(pid, &status, 0) != pid || !WIFSTOPPED(status)) return -1;
        if (WSTOPSIG(status) != (SIGTRAP | 0x80)) continue;
        entering = !entering;
        user_regs_struct r{};
        ::ptrace(PTRACE_GETREGS, pid, nullptr, &r);
        if (entering &&
            (r.orig_rax == SYS_rename || r.orig_rax == SYS_renameat || r.orig_rax == SYS_renameat2))
            return pid;
    }
}

TEST(OneAtATime, TheSecondRunWaitsForTheFirstAndTouchesNothingMeanwhile) {
    if (!CanTraceChildren()) GTEST_SKIP() << "this machine does not let a test trace its children";
    const Args swap = {"--yes", "swap", "C:\\carfolders\\cars67_classic", "--move", "--delete"};
    const Args number = {"car-number", "5", "12"};
    CliMachine numbered;
    ASSERT_EQ(numbered.Run(number).Status, 0);
    for (const bool swapFirst : {true, false}) {
        SCOPED_TRACE(swapFirst ? "the swap first" : "the car number first");
        CliMachine m;
        const auto stored = TreeOf(m.DriveC() / "carfolders" / "cars67_classic");
        const pid_t held = StartHeldAtFirstRename(m, swapFirst ? swap : number);
        ASSERT_GT(held, 0);
        const auto files = TreeOf(m.DriveC()), data = TreeOf(m.Data());
        const auto started = std::chrono::steady_clock::now();
        const CliRun refused = m.Run(swapFirst ? number : swap);
        EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::seconds(4));
        EXPECT_EQ(refused.Status, 3);
        EXPECT_NE(refused.Err.find("Movrand is already running"), std::string::npos) << refused.Err;
        EXPECT_EQ(Differences(TreeOf(m.DriveC()), files) + Differences(TreeOf(m.Data()), data), "");

        ::ptrace(PTRACE_DETACH, held, nullptr, 0);
        int status = 0;
        EXPECT_EQ(StatusOf(::waitpid(held, &status, 0) == held ? status : -1), 0);
        EXPECT_EQ(m.Run(swapFirst ? number : swap).Status, 0);
        EXPECT_EQ(TreeOf(m.Gpl() / "cars" / "cars67"), stored);
        EXPECT_EQ(CliMachine::Read(m.Gpl() / "driver.ini"),
                  CliMachine::Read(numbered.Gpl() / "driver.ini"));
    }
}

// Another account, sudo or a launcher with its own environment: another data folder, the same
// installation (here reached through a link). The second run is kept out all the same.
TEST(OneAtATime, ARunWithAnotherDataFolderOnTheSameInstallationIsKeptOut) {
    if (!CanTraceChildren()) GTEST_SKIP() << "this machine does not let a test trace its children";
    CliMachine a, b;
    ASSERT_EQ(a.Run({"drivers"}).Status, 0);  // settings stored: the first rename is the roster's
    std::filesystem::remove_all(b.Prefix());
    std::filesystem::create_directory_symlink(a.Prefix(), b.Prefix());
    const pid_t held = StartHeldAtFirstRename(a, {"car-number", "5", "12"});
    ASSERT_GT(held, 0);
    const auto files = TreeOf(a.DriveC());
    const CliRun refused = b.Run({"car-number", "6", "14"});
    EXPECT_EQ(refused.Status, 3);
    EXPECT_NE(refused.Out.find("Movrand is already running on the GPL installation"),
              std::string::npos)
        << refused.Out << refused.Err;
    EXPECT_EQ(Differences(TreeOf(a.DriveC()), files), "");
    ::ptrace(PTRACE_DETACH, held, nullptr, 0);
    int status = 0;
    EXPECT_EQ(StatusOf(::waitpid(held, &status, 0) == held ? status : -1), 0);
    EXPECT_EQ(b.Run({"car-number", "6", "14"}).Status, 0);
}

}  // namespace
}  // namespace movrand::test
