// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop program: takes no arguments besides -h, --help and --version.
#include <iostream>
#include <string>
#include <vector>

#include "app/ui/DesktopProgram.h"
#include "common/InfoOptions.h"

int main(int argc, char* argv[]) {
    if (const auto answered = movrand::AnswerDesktopArguments(
            std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr))
        return *answered;
    return movrand::RunDesktopProgram(argc, argv);
}
