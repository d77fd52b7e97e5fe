// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChildRun.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

namespace movrand::bench {

ChildCost RunChild(const std::vector<std::string>& argv, const std::vector<std::string>& env) {
    std::vector<std::string> args = argv;
    std::vector<std::string> vars = env;
    std::vector<char*> cargv, cenv;
    for (std::string& a : args) cargv.push_back(a.data());
    cargv.push_back(nullptr);
    for (std::string& e : vars) cenv.push_back(e.data());
    cenv.push_back(nullptr);

    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = ::fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        if (null >= 0) {
            ::dup2(null, 1);
            ::dup2(null, 2);
        }
        ::execve(cargv[0], cargv.data(), cenv.data());
        ::_exit(127);
    }
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    ChildCost cost;
    cost.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    cost.Status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    cost.PeakResidentKb = usage.ru_maxrss;
    return cost;
}

}  // namespace movrand::bench
