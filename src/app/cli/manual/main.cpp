// SPDX-License-Identifier: GPL-3.0-or-later
// Writes movrand-cli's manual page at build time: the hand-written page, with the COMMANDS
// section's entries made from the command table in place of its marker line.
// Usage: movrand-cli-manual PAGE_IN PAGE_OUT
#include <fstream>
#include <iostream>
#include <string>

#include "cli/CliHelp.h"

namespace {
constexpr const char* kMarker =
    ".\\\" The commands' entries: made from movrand-cli's command table.";
}

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::cerr << "usage: movrand-cli-manual PAGE_IN PAGE_OUT\n";
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::cerr << "movrand-cli-manual: cannot read " << argv[1] << '\n';
        return 1;
    }
    std::string page;
    bool marked = false;
    for (std::string line; std::getline(in, line);) {
        if (line != kMarker) {
            page += line + '\n';
            continue;
        }
        marked = true;
        for (const movrand::cli::CliCommand& command : movrand::cli::CliCommandTable())
            page += movrand::cli::ManualEntry(command);
    }
    if (!marked) {
        std::cerr << "movrand-cli-manual: " << argv[1] << " has no line \"" << kMarker << "\"\n";
        return 1;
    }
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out << page;
    out.close();
    if (!out) {
        std::cerr << "movrand-cli-manual: cannot write " << argv[2] << '\n';
        return 1;
    }
    return 0;
}
