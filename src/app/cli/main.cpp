// SPDX-License-Identifier: GPL-3.0-or-later
// movrand-cli: the program's operations without windows, for scripts.
#include <iostream>
#include <string>
#include <vector>

#include "cli/CliProgram.h"

int main(int argc, char* argv[]) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return movrand::cli::RunCli(args, std::cout, std::cerr);
}
