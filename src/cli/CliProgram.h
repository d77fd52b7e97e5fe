// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <ostream>
#include <string>
#include <vector>

namespace movrand::cli {

// One run of movrand-cli with the arguments after the program name. Returns the exit status:
// 0 done, 1 refused or answered No, 2 wrong usage, 3 an error was reported.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace movrand::cli
