// SPDX-License-Identifier: GPL-3.0-or-later
// Entry point of the GUI tests: one QApplication for all of them, on the offscreen platform.
#include <gtest/gtest.h>
#include <QApplication>
#include <cstdlib>

#include "dialogs/ui/NamedComboAccessible.h"
#include "dialogs/ui/WholeFrameStyle.h"

int main(int argc, char* argv[]) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    movrand::dialogs::WholeFrameStyle::Install();  // as the program has it
    movrand::dialogs::InstallNamedComboAccessible();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
