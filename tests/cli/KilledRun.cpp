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

// The output goes where CliMachine::Run puts it, so tests can read it alike.
[[noreturn]] void ExecInChild(const CliMachine& machine, const std::vector<std::string>& args,
                              bool traced) {
    std::vector<std::string> argv = machine.CommandLine(args);
    std::vector<std::string> env = machine.Environment();
    std::vector<char*> cargv, cenv;
    for (std::string& a : argv) cargv.push_back(a.data());
    cargv.push_back(nullptr);
    for (std::string& e : env) cenv.push_back(e.data());
    cenv.push_back(nullptr);
    const int out =
        ::open((machine.Root() / "stdout.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err =
        ::open((machine.Root() / "stderr.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out < 0 || err < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0 ||
        ::chdir(machine.Root().c_str()) != 0)
        ::_exit(126);
    if (traced) {
        if (::ptrace(PTRACE_TRACEME, 0, nullptr, nullptr) != 0) ::_exit(125);
        ::raise(SIGSTOP);
    }
    ::execve(cargv[0], cargv.data(), cenv.data());
    ::_exit(127);
}

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

int StatusOf(int status) {
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
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
    if (pid == 0) ExecInChild(machine, args, true);

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
    if (pid == 0) ExecInChild(machine, args, false);
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
