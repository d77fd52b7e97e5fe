// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop program's start-up, exactly as its main() runs it, ending when the main window has
// been painted for the first time.
#include <QWidget>

#include "FirstPaint.h"
#include "app/ui/DesktopProgram.h"

int main(int argc, char* argv[]) {
    QuitAtFirstPaint quit;
    return movrand::RunDesktopProgram(argc, argv, [&quit](QWidget& window) { quit.Watch(window); });
}
