// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DetachedStart.h"

#include <fcntl.h>
#include <linux/close_range.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <system_error>

#include "platform/FileHandles.h"

extern char** environ;

namespace movrand::platform {
namespace fs = std::filesystem;

std::optional<fs::path> FindOnPath(const std::string& program) {
    if (program.empty()) return std::nullopt;
    const auto executable = [](const fs::path& file) {
        std::error_code ec;
        return fs::is_regular_file(file, ec) && ::access(file.c_str(), X_OK) == 0;
    };
    if (program.find('/') != std::string::npos)
        return executable(program) ? std::optional<fs::path>(program) : std::nullopt;
    const char* path = std::getenv("PATH");
    // Without a PATH, the system's own folders only; an empty entry (this folder) is not
    // searched, so that a program lying where Movrand runs is never taken for a launcher.
    const std::string folders = path && *path ? path : "/usr/bin:/bin";
    for (std::size_t from = 0; from <= folders.size();) {
        std::size_t to = folders.find(':', from);
        if (to == std::string::npos) to = folders.size();
        const fs::path folder(folders.substr(from, to - from));
        if (!folder.empty() && executable(folder / program)) return folder / program;
        from = to + 1;
    }
    return std::nullopt;
}

namespace {

// Everything the started process needs, made before the fork: after it only calls that are safe
// in the child of a threaded program are made.
struct PreparedStart {
    std::string Program;
    std::vector<std::string> Texts;  // arguments, then "NAME=value" entries
    std::vector<char*> Argv;
    std::vector<char*> Envp;
};

PreparedStart Prepare(const ProgramCommand& command, const fs::path& program) {
    PreparedStart p;
    p.Program = program.string();
    p.Texts = command.Arguments;
    const std::size_t arguments = p.Texts.size();
    for (char** entry = environ; entry && *entry; ++entry) {
        const std::string text(*entry);
        const std::string name = text.substr(0, text.find('='));
        bool replaced = false;
        for (const auto& [setName, value] : command.Environment) replaced |= name == setName;
        if (!replaced) p.Texts.push_back(text);
    }
    for (const auto& [name, value] : command.Environment) p.Texts.push_back(name + "=" + value);
    for (std::size_t i = 0; i < p.Texts.size(); ++i)
        (i < arguments ? p.Argv : p.Envp).push_back(p.Texts[i].data());
    p.Argv.push_back(nullptr);
    p.Envp.push_back(nullptr);
    return p;
}

// In the grandchild: its own session, no open file of ours, then the program. Reports the
// error of a step that fails through `report` and ends.
[[noreturn]] void BecomeProgram(const PreparedStart& p, const char* folder, int report) {
    int error = 0;
    const int null = ::open("/dev/null", O_RDWR | O_CLOEXEC);
    if (null < 0 || ::dup2(null, 0) < 0 || ::dup2(null, 1) < 0 || ::dup2(null, 2) < 0)
        error = errno;
    // Every other descriptor closes on exec, whatever flags it was opened with (the locks).
    if (!error && ::syscall(SYS_close_range, 3U, ~0U, CLOSE_RANGE_CLOEXEC) != 0)
        for (int fd = 3; fd < 65536; ++fd)
            if (fd != report) ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    if (!error && *folder && ::chdir(folder) != 0) error = errno;
    if (!error) {
        ::execve(p.Program.c_str(), p.Argv.data(), p.Envp.data());
        error = errno;
    }
    [[maybe_unused]] const ssize_t told = ::write(report, &error, sizeof error);
    ::_exit(127);
}

}  // namespace

std::string StartDetached(const ProgramCommand& command) {
    if (command.Arguments.empty()) return std::strerror(EINVAL);
    const std::optional<fs::path> program = FindOnPath(command.Arguments.front());
    if (!program) return std::strerror(ENOENT);
    const PreparedStart prepared = Prepare(command, *program);
    const std::string folder = command.WorkingFolder.string();

    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0) return std::strerror(errno);
    Descriptor reading(pipeEnds[0]);
    Descriptor writing(pipeEnds[1]);
    const pid_t child = ::fork();
    if (child < 0) return std::strerror(errno);
    if (child == 0) {
        // The child only starts the grandchild and ends, so the program belongs to no one here.
        ::setsid();
        const pid_t grandchild = ::fork();
        if (grandchild == 0) BecomeProgram(prepared, folder.c_str(), writing.Get());
        if (grandchild < 0) {
            const int error = errno;
            [[maybe_unused]] const ssize_t told = ::write(writing.Get(), &error, sizeof error);
        }
        ::_exit(0);
    }
    writing = Descriptor();
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    // The pipe closes when the program has started (it closes on exec) or says why it did not.
    int error = 0;
    ssize_t got;
    while ((got = ::read(reading.Get(), &error, sizeof error)) < 0 && errno == EINTR) {
    }
    return got == static_cast<ssize_t>(sizeof error) && error ? std::strerror(error) : "";
}

}  // namespace movrand::platform
