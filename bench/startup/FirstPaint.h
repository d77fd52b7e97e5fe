// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QApplication>
#include <QEvent>
#include <QObject>
#include <cstdlib>

// Ends the program as soon as the window it watches has been painted for the first time: the
// moment the user sees it. It ends at once, without the closing of windows that quitting the
// application would start (the main window would ask whether to exit).
class QuitAtFirstPaint : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            QMetaObject::invokeMethod(
                qApp, [] { std::_Exit(0); }, Qt::QueuedConnection);
        return QObject::eventFilter(watched, event);
    }
};
