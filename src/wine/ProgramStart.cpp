// SPDX-License-Identifier: GPL-3.0-or-later
#include "wine/ProgramStart.h"

#include <fcntl.h>
#include <linux/close_range.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <time.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "platform/DetachedStart.h"

extern char** environ;

namespace movrand::platform {

std::filesystem::path FindWine() {
    return FindOnPath("wine").value_or(std::filesystem::path());
}

bool StartWindowsProgram(const std::string& windowsPath, const std::filesystem::path& winePrefix,
                         std::chrono::milliseconds watch) {
    const std::filesystem::path wine = FindWine();
    if (wine.empty() || windowsPath.empty()) return false;
    std::vector<std::string> env;
    for (char** entry = environ; entry && *entry; ++entry)
        if (!std::string_view(*entry).starts_with("WINEPREFIX=")) env.emplace_back(*entry);
    if (!winePrefix.empty()) env.push_back("WINEPREFIX=" + winePrefix.string());
    return StartWatched({wine.string(), windowsPath}, env, watch);
}

bool StartWatched(const std::vector<std::string>& arguments, const std::vector<std::string>& env,
                  std::chrono::milliseconds watch) {
    // Everything the children need is made before they are forked: between fork and exec only
    // calls that are safe there are made.
    std::vector<std::string> envCopy = env, argCopy = arguments;
    std::vector<char*> envp, argv;
    for (std::string& entry : envCopy) envp.push_back(entry.data());
    envp.push_back(nullptr);
    for (std::string& entry : argCopy) argv.push_back(entry.data());
    argv.push_back(nullptr);
    const long rounds = std::max<long>(1, static_cast<long>(watch.count() / 20));
    const struct timespec pause = {0, 20 * 1000 * 1000};

    // A short-lived child starts the program and watches it; the program then belongs to no one
    // here and leaves no zombie behind. Whatever arrives through the pipe (closed on exec) says
    // that the start failed: the exec's error, or the watcher's word that the program ended
    // badly while it watched.
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) return false;
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(report[0]);
        ::close(report[1]);
        return false;
    }
    if (child == 0) {
        ::close(report[0]);
        const pid_t program = ::fork();
        if (program == 0) {
            ::setsid();
            // No open file of this process goes to the program (the locks above all).
            ::syscall(SYS_close_range, 3U, ~0U, CLOSE_RANGE_CLOEXEC);
            ::execve(argv[0], argv.data(), envp.data());
            const int error = errno;
            (void)!::write(report[1], &error, sizeof error);
            ::_exit(127);
        }
        if (program < 0) ::_exit(1);
        for (long round = 0; round < rounds; ++round) {
            int status = 0;
            if (::waitpid(program, &status, WNOHANG) == program) {
                const bool well = WIFEXITED(status) && WEXITSTATUS(status) == 0;
                if (!well) (void)!::write(report[1], &status, sizeof status);
                ::_exit(0);
            }
            ::nanosleep(&pause, nullptr);
        }
        ::_exit(0);
    }
    ::close(report[1]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    int word = 0;
    ssize_t got;
    while ((got = ::read(report[0], &word, sizeof word)) < 0 && errno == EINTR) {
    }
    ::close(report[0]);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 && got == 0;
}

}  // namespace movrand::platform
