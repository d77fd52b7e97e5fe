// SPDX-License-Identifier: GPL-3.0-or-later
// The reference for the start-up figure: a bare Qt window of the main window's size, started and
// shown the same way as the program, ending at its first paint.
#include <QApplication>
#include <QWidget>

#include "FirstPaint.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(640, 480);
    QuitAtFirstPaint quit;
    quit.Watch(window);
    window.show();
    return app.exec();
}
