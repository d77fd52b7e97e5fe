// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace movrand {

// "PROGRAM VERSION" and a line end, as --version prints it ("movrand-cli 1.0.2").
std::string VersionText(std::string_view program);

// What `movrand --help` prints.
extern const char* const kDesktopUsage;

// The desktop program's command line, looked at before anything else runs (no window, no
// settings, no installation): -h or --help and --version are answered on `out` with the exit
// code 0; any other argument is refused on `err` with the usage and the exit code 2. Returns
// nothing when there are no arguments and the program is to start.
std::optional<int> AnswerDesktopArguments(const std::vector<std::string>& args, std::ostream& out,
                                          std::ostream& err);

}  // namespace movrand
