// Two movrand-cli runs on one installation at once, in both orders: while the first works, the
// second waits, and when the first holds on longer than the wait the second ends with exit 3,
// having changed nothing; started again, it runs as soon as the first has finished, and both
// changes are there.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/ptrace.h>
#include <sys/syscall.h>
#include <sys/user.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>

#include "CliRunner.h"
#include "FileSnapshot.h"
#include "KilledRun.h"

namespace movrand::test {
namespace {

namespace fs = std::filesystem;
using Args = std::vector<std::string>;

// Starts movrand-cli traced and holds it as it is about to rename a file for the first time (the
// working copy or the swap's journal put in place): in the middle of its work.
pid_t StartHeldAtFirstRename(const CliMachine& machine, const Args& args) {
    const pid_t pid = ::fork();
    if (pid == 0) ExecCli(machine, args, true);
    int status = 0;
    ::waitpid(pid, &status, 0);
    ::ptrace(PTRACE_SETOPTIONS, pid, nullptr, PTRACE_O_TRACESYSGOOD | PTRACE_O_EXITKILL);
    bool inCall = false;
    for (int signal = 0;;) {
        ::ptrace(PTRACE_SYSCALL, pid, nullptr, signal);
        signal = 0;
        if (::waitpid(pid, &status, 0) != pid || !WIFSTOPPED(status)) return -1;
        if (WSTOPSIG(status) != (SIGTRAP | 0x80)) {
            if (WSTOPSIG(status) != SIGTRAP) signal = WSTOPSIG(status);
            continue;
        }
        inCall = !inCall;
        user_regs_struct regs{};
        ::ptrace(PTRACE_GETREGS, pid, nullptr, &regs);
        if (inCall && (regs.orig_rax == SYS_rename || regs.orig_rax == SYS_renameat ||
                       regs.orig_rax == SYS_renameat2))
            return pid;
    }
}

int Wait(pid_t pid) {
    int status = 0;
    ::waitpid(pid, &status, 0);
    return StatusOf(status);
}

TEST(OneAtATime, TheSecondRunWaitsForTheFirstAndTouchesNothingMeanwhile) {
    if (!CanTraceChildren()) GTEST_SKIP() << "this machine does not let a test trace its children";
    const Args swap = {"--yes", "swap", "C:\\carfolders\\cars67_classic", "--move", "--delete"};
    const Args number = {"car-number", "5", "12"};
    CliMachine changed;
    ASSERT_EQ(changed.Run(number).Status, 0);
    const std::string roster = CliMachine::Read(changed.Gpl() / "driver.ini");
    for (const bool swapFirst : {true, false}) {
        SCOPED_TRACE(swapFirst ? "the swap first" : "the car number first");
        CliMachine m;
        const fs::path live = m.Gpl() / "cars" / "cars67";
        const auto stored = TreeOf(m.DriveC() / "carfolders" / "cars67_classic");
        const Args& first = swapFirst ? swap : number;
        const Args& second = swapFirst ? number : swap;
        const pid_t held = StartHeldAtFirstRename(m, first);
        ASSERT_GT(held, 0);
        const auto files = TreeOf(m.DriveC()), data = TreeOf(m.Data());

        const auto started = std::chrono::steady_clock::now();
        const CliRun refused = m.Run(second);
        EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::seconds(4));
        EXPECT_EQ(refused.Status, 3);
        EXPECT_NE(refused.Err.find("Movrand is already running"), std::string::npos) << refused.Err;
        EXPECT_EQ(Differences(TreeOf(m.DriveC()), files), "");
        EXPECT_EQ(Differences(TreeOf(m.Data()), data), "");

        const pid_t waiting = ::fork();
        if (waiting == 0) ExecCli(m, second, false);
        ::usleep(200 * 1000);
        ::ptrace(PTRACE_DETACH, held, nullptr, 0);
        EXPECT_EQ(Wait(held), 0);
        EXPECT_EQ(Wait(waiting), 0);
        EXPECT_EQ(TreeOf(live), stored);
        EXPECT_EQ(CliMachine::Read(m.Gpl() / "driver.ini"), roster);
    }
}

}  // namespace
}  // namespace movrand::test
