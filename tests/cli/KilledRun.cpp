#include "KilledRun.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/ptrace.h>
#include <sys/syscall.h>
#include <sys/user.h>
#include <sys/wait.h>
#include <unistd.h>

#include <map>
#include <stdexcept>

namespace movrand::test {

namespace {

constexpr unsigned long kWriting = O_WRONLY | O_RDWR | O_CREAT | O_TRUNC;

// Whether a system call about to be made changes the file system (x86-64 numbering). Writes to
// the standard output and error do not count: they are the program's report, not its work.
bool ChangesFiles(const user_regs_struct& r) {
    switch (r.orig_rax) {
        case SYS_open:
            return (r.rsi & kWriting) != 0;
        case SYS_openat:
            return (r.rdx & kWriting) != 0;
        case SYS_creat:
        case SYS_rename:
        case SYS_renameat:
        case SYS_renameat2:
        case SYS_unlink:
        case SYS_unlinkat:
        case SYS_rmdir:
        case SYS_mkdir:
        case SYS_mkdirat:
        case SYS_link:
        case SYS_linkat:
        case SYS_symlink:
        case SYS_symlinkat:
        case SYS_truncate:
        case SYS_ftruncate:
        case SYS_fallocate:
        case SYS_copy_file_range:
        case SYS_sendfile:
        case SYS_chmod:
        case SYS_fchmod:
        case SYS_fchmodat:
        case SYS_utimensat:
            return true;
        case SYS_write:
        case SYS_pwrite64:
        case SYS_writev:
        case SYS_pwritev:
            return r.rdi > 2;
        default:
            return false;
    }
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

KilledRun RunKilledAfter(const CliMachine& machine, const std::vector<std::string>& args,
                         long microseconds) {
    const pid_t pid = ::fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) ExecCli(machine, args, false);
    ::usleep(static_cast<useconds_t>(microseconds));
    KilledRun run;
    int status = 0;
    run.Killed = ::waitpid(pid, &status, WNOHANG) == 0;
    if (run.Killed) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, &status, 0);
    } else {
        run.Status = StatusOf(status);
    }
    return run;
}

}  // namespace movrand::test
