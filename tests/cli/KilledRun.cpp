// SPDX-License-Identifier: GPL-3.0-or-later
#include "KilledRun.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/ptrace.h>
#include <sys/syscall.h>
#include <sys/user.h>
#include <sys/wait.h>
#include <unistd.h>

#include <map>
#include <set>
#include <stdexcept>

namespace movrand::test {

namespace {

// Whether a system call about to be made changes the file system (x86-64 numbering). Writes to
// the standard output and error do not count: they are the program's report, not its work.
bool ChangesFiles(const user_regs_struct& r) {
    static const std::set<unsigned long long> changing = {
        SYS_creat,     SYS_rename,          SYS_renameat,  SYS_renameat2, SYS_unlink,
        SYS_unlinkat,  SYS_rmdir,           SYS_mkdir,     SYS_mkdirat,   SYS_link,
        SYS_linkat,    SYS_symlink,         SYS_symlinkat, SYS_truncate,  SYS_ftruncate,
        SYS_fallocate, SYS_copy_file_range, SYS_sendfile,  SYS_chmod,     SYS_fchmod,
        SYS_fchmodat,  SYS_utimensat};
    static const std::set<unsigned long long> writing = {SYS_write, SYS_pwrite64, SYS_writev,
                                                         SYS_pwritev};
    constexpr unsigned long long kWriting = O_WRONLY | O_RDWR | O_CREAT | O_TRUNC;
    if (r.orig_rax == SYS_open) return (r.rsi & kWriting) != 0;
    if (r.orig_rax == SYS_openat) return (r.rdx & kWriting) != 0;
    return changing.count(r.orig_rax) || (writing.count(r.orig_rax) && r.rdi > 2);
}

}  // namespace

bool CanTraceChildren() {
    static const bool can = [] {
        const pid_t pid = ::fork();
        if (pid < 0) return false;
        if (pid == 0) {
            if (::ptrace(PTRACE_TRACEME, 0, nullptr, nullptr) != 0) ::_exit(125);
            ::raise(SIGSTOP);
            ::_exit(0);
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        const bool stopped = WIFSTOPPED(status);
        if (stopped) ::ptrace(PTRACE_CONT, pid, nullptr, nullptr);
        ::waitpid(pid, &status, 0);
        return stopped;
    }();
    return can;
}

KilledRun RunKilledAt(const CliMachine& machine, const std::vector<std::string>& args, int killAt) {
    const pid_t pid = ::fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) ExecCli(machine, args, true);

    KilledRun run;
    int status = 0;
    ::waitpid(pid, &status, 0);  // stopped before its exec
    if (!WIFSTOPPED(status)) throw std::runtime_error("the traced child did not stop");
    ::ptrace(PTRACE_SETOPTIONS, pid, nullptr,
             PTRACE_O_TRACESYSGOOD | PTRACE_O_EXITKILL | PTRACE_O_TRACECLONE | PTRACE_O_TRACEFORK |
                 PTRACE_O_TRACEVFORK);
    // Whether each traced thread is inside a system call (its next stop is the call's exit).
    std::map<pid_t, bool> inCall;
    pid_t stopped = pid;
    int signal = 0;
    for (;;) {
        ::ptrace(PTRACE_SYSCALL, stopped, nullptr, signal);
        signal = 0;
        stopped = ::waitpid(-1, &status, __WALL);
        if (stopped < 0) break;
        if (WIFEXITED(status) || WIFSIGNALED(status)) {
            if (stopped == pid) {
                run.Status = StatusOf(status);
                break;
            }
            inCall.erase(stopped);
            continue;
        }
        if (!WIFSTOPPED(status)) continue;
        const int sig = WSTOPSIG(status);
        if (sig == (SIGTRAP | 0x80)) {
            bool& inside = inCall[stopped];
            inside = !inside;
            if (!inside) continue;  // the exit of a call
            user_regs_struct regs{};
            ::ptrace(PTRACE_GETREGS, stopped, nullptr, &regs);
            if (!ChangesFiles(regs)) continue;
            if (++run.ChangingCalls == killAt) {
                ::kill(pid, SIGKILL);
                while (::waitpid(pid, &status, __WALL) == pid &&
                       !(WIFEXITED(status) || WIFSIGNALED(status))) {
                }
                run.Killed = true;
                break;
            }
        } else if (sig != SIGTRAP && sig != SIGSTOP) {
            signal = sig;  // a signal of the program's own is passed on
        }
    }
    return run;
}

}  // namespace movrand::test
