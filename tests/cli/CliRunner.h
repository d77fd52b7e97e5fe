// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <filesystem>
#include <string>
#include <vector>

namespace movrand::test {

// What one run of movrand-cli left behind.
struct CliRun {
    int Status = -1;
    std::string Out;
    std::string Err;
    std::vector<std::string> OutLines() const;
};

// A demo Wine prefix with its own settings and program folder, on which the built movrand-cli
// is started as a user would start it (WINEPREFIX, XDG_CONFIG_HOME, XDG_DATA_HOME set).
class CliMachine {
  public:
    CliMachine();
    ~CliMachine();
    CliMachine(const CliMachine&) = delete;
    CliMachine& operator=(const CliMachine&) = delete;

    CliRun Run(const std::vector<std::string>& args) const;

    // What Run starts: the program's command line and its whole environment.
    std::vector<std::string> CommandLine(const std::vector<std::string>& args) const;
    std::vector<std::string> Environment() const;
    std::filesystem::path Root() const { return root_; }
    // Makes this machine a copy of another: its prefix, settings and program folder.
    void CopyFrom(const CliMachine& other);

    std::filesystem::path Prefix() const { return root_ / "prefix"; }
    std::filesystem::path DriveC() const { return Prefix() / "drive_c"; }
    std::filesystem::path Gpl() const { return DriveC() / "sierra" / "gpl"; }
    std::filesystem::path Config() const { return root_ / "config"; }
    std::filesystem::path Data() const { return root_ / "data"; }
    std::filesystem::path WorkingCopy() const { return Data() / "movrand" / "driver.zorvex"; }

    std::string Stored(const std::string& key) const;  // a value of section "Movrand"
    static std::string Read(const std::filesystem::path& file);

  private:
    std::filesystem::path root_;
};

// In a forked child: sends the output where CliMachine::Run puts it and starts movrand-cli on the
// machine, first stopping for its tracer when `traced`. Never returns.
[[noreturn]] void ExecCli(const CliMachine& machine, const std::vector<std::string>& args,
                          bool traced);

// The exit status of a child as a shell gives it (128 + the signal when it was killed).
int StatusOf(int waitStatus);

}  // namespace movrand::test
