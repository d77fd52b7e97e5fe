// SPDX-License-Identifier: GPL-3.0-or-later
// Builds the demo Wine prefix: make-demo DIR
#include <iostream>

#include "DemoInstallation.h"

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::cerr << "usage: make-demo DIR\n";
        return 2;
    }
    try {
        movrand::demo::MakeDemoPrefix(argv[1]);
    } catch (const std::exception& e) {
        std::cerr << "make-demo: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
