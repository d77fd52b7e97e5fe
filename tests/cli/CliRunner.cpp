// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRunner.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/ptrace.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "DemoInstallation.h"
#include "FileSnapshot.h"
#include "TempDrive.h"
#include "platform/SettingsKeys.h"
#include "platform/SettingsStore.h"

namespace movrand::test {
namespace fs = std::filesystem;

std::vector<std::string> CliRun::OutLines() const {
    std::vector<std::string> lines;
    std::istringstream in(Out);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

CliMachine::CliMachine() : root_(MakeTempFolder("movrand-cli-")) {
    demo::MakeDemoPrefix(Prefix());
}

CliMachine::~CliMachine() {
    RemoveTree(root_);
}

std::vector<std::string> CliMachine::Environment() const {
    std::vector<std::string> env = {
        "WINEPREFIX=" + Prefix().string(), "XDG_CONFIG_HOME=" + Config().string(),
        "XDG_DATA_HOME=" + Data().string(), "HOME=" + root_.string(), "PATH=/usr/bin:/bin"};
    if (const char* asan = std::getenv("ASAN_OPTIONS"))
        env.push_back(std::string("ASAN_OPTIONS=") + asan);
    return env;
}

std::vector<std::string> CliMachine::CommandLine(const std::vector<std::string>& args) const {
    std::vector<std::string> argv = {MOVRAND_CLI};
    argv.insert(argv.end(), args.begin(), args.end());
    return argv;
}

void CliMachine::CopyFrom(const CliMachine& other) {
    for (const fs::path& folder : {Prefix(), Config(), Data()}) fs::remove_all(folder);
    const auto options = fs::copy_options::recursive | fs::copy_options::copy_symlinks;
    fs::copy(other.Prefix(), Prefix(), options);
    if (fs::exists(other.Config())) fs::copy(other.Config(), Config(), options);
    if (fs::exists(other.Data())) fs::copy(other.Data(), Data(), options);
    // The stored installation's prefix is this machine's own, as the copy of a whole home is.
    const fs::path settings = Config() / "Zorvex" / "settings.ini";
    if (!fs::exists(settings)) return;
    std::string text = Read(settings);
    const std::string from = other.Prefix().string(), to = Prefix().string();
    for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
        text.replace(at, from.size(), to);
    std::ofstream(settings, std::ios::binary | std::ios::trunc) << text;
}

[[noreturn]] void ExecCli(const CliMachine& machine, const std::vector<std::string>& args,
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

int StatusOf(int waitStatus) {
    return WIFEXITED(waitStatus) ? WEXITSTATUS(waitStatus) : 128 + WTERMSIG(waitStatus);
}

CliRun CliMachine::Run(const std::vector<std::string>& args) const {
    const pid_t pid = ::fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) ExecCli(*this, args, false);
    int status = 0;
    ::waitpid(pid, &status, 0);
    CliRun run;
    run.Status = StatusOf(status);
    run.Out = Read(root_ / "stdout.txt");
    run.Err = Read(root_ / "stderr.txt");
    return run;
}

std::string CliMachine::Stored(const std::string& key) const {
    return platform::SettingsStore(Config()).Get(platform::kSettingsApp, platform::kMovrandSection,
                                                 key);
}

std::string CliMachine::Read(const fs::path& file) {
    return ReadFile(file);
}

}  // namespace movrand::test
