#include "platform/ProgramStart.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string_view>
#include <vector>

extern char** environ;

namespace movrand::platform {

std::filesystem::path FindWine() {
    const char* path = std::getenv("PATH");
    // Without a PATH, the system's own folders only (where the distribution puts wine).
    std::string_view folders = path && *path ? path : "/usr/bin:/bin";
    while (!folders.empty()) {
        const std::size_t colon = folders.find(':');
        const std::string_view folder = folders.substr(0, colon);
        if (!folder.empty()) {
            const std::filesystem::path candidate = std::filesystem::path(folder) / "wine";
            if (::access(candidate.c_str(), X_OK) == 0) return candidate;
        }
        if (colon == std::string_view::npos) break;
        folders.remove_prefix(colon + 1);
    }
    return {};
}

bool StartWindowsProgram(const std::string& windowsPath, const std::filesystem::path& winePrefix) {
    const std::filesystem::path wine = FindWine();
    if (wine.empty() || windowsPath.empty()) return false;

    // Everything the child needs is made before it is forked: between fork and exec only calls
    // that are safe there are made.
    std::vector<std::string> env;
    for (char** entry = environ; entry && *entry; ++entry)
        if (!std::string_view(*entry).starts_with("WINEPREFIX=")) env.emplace_back(*entry);
    if (!winePrefix.empty()) env.push_back("WINEPREFIX=" + winePrefix.string());
    std::vector<char*> envp;
    for (std::string& entry : env) envp.push_back(entry.data());
    envp.push_back(nullptr);
    std::string program = wine.string();
    std::string argument = windowsPath;
    char* argv[] = {program.data(), argument.data(), nullptr};

    // The program is started by a short-lived child so that it belongs to no one here and leaves
    // no zombie behind; a pipe closed on exec tells whether the exec worked.
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
        const pid_t grandchild = ::fork();
        if (grandchild == 0) {
            ::setsid();
            ::execve(argv[0], argv, envp.data());
            const int error = errno;
            (void)!::write(report[1], &error, sizeof error);
            ::_exit(127);
        }
        ::_exit(grandchild < 0 ? 1 : 0);
    }
    ::close(report[1]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    int error = 0;
    ssize_t got;
    while ((got = ::read(report[0], &error, sizeof error)) < 0 && errno == EINTR) {
    }
    ::close(report[0]);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 && got == 0;
}

}  // namespace movrand::platform
