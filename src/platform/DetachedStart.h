// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace movrand::platform {

// A program to start on its own: its arguments (the first names the program), what its
// environment has beyond this process's, and the folder it starts in ("" for this one's).
struct ProgramCommand {
    std::vector<std::string> Arguments;
    std::vector<std::pair<std::string, std::string>> Environment;
    std::filesystem::path WorkingFolder;
};

// The program of that name on $PATH (a name with a slash is taken as it is; empty entries of
// $PATH are not searched), when it is an executable file.
std::optional<std::filesystem::path> FindOnPath(const std::string& program);

// Starts the command as a process of its own session that this one does not wait for: it
// outlives this process, inherits none of its open files (its standard input and output are
// /dev/null) and never signals it. "" when it was started; otherwise why not ("No such file or
// directory"). Only the start itself is waited for, never the program.
std::string StartDetached(const ProgramCommand& command);

}  // namespace movrand::platform
