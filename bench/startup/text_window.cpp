// SPDX-License-Identifier: GPL-3.0-or-later
// A second reference for the start-up figure: a Qt window of the main window's size showing one
// line of text, started the same way and ending at its first paint. It pays what any window with
// text pays on first use (the font configuration, one font, a few glyphs) and nothing more.
#include <QApplication>
#include <QLabel>
#include <QWidget>

#include "FirstPaint.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(640, 480);
    auto* text = new QLabel("Cars / Accessories", &window);
    text->move(20, 20);
    QuitAtFirstPaint quit;
    quit.Watch(window);
    window.show();
    return app.exec();
}
