// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/ui/WindowFontWhileMade.h"

#include <QGuiApplication>

namespace movrand::mainwindow {

// QGuiApplication's own setFont: QApplication's would also forget the fonts of kinds of controls.
WindowFontWhileMade::WindowFontWhileMade(const QWidget& window)
    : application_(QGuiApplication::font()) {
    QGuiApplication::setFont(window.font());
}

WindowFontWhileMade::~WindowFontWhileMade() {
    QGuiApplication::setFont(application_);
}

}  // namespace movrand::mainwindow
