// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QWidget>
#include <cstdlib>

// Ends the program as soon as the window it watches, or anything in it, has been painted for the
// first time: the moment the user sees it. A window whose children cover it whole (the main
// window's pages sit in a scroll area) gets no paint event of its own, so every widget is
// watched. It ends at once, without the closing of windows that quitting the application would
// start (the main window would ask whether to exit).
class QuitAtFirstPaint : public QObject {
  public:
    using QObject::QObject;

    void Watch(QWidget& window) {
        window_ = &window;
        qApp->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const auto* widget = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::Paint && widget && widget->window() == window_)
            QMetaObject::invokeMethod(
                qApp, [] { std::_Exit(0); }, Qt::QueuedConnection);
        return QObject::eventFilter(watched, event);
    }

  private:
    QWidget* window_ = nullptr;
};
