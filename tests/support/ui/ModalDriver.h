// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Helpers for GUI tests that drive modal windows: a modal window runs its own event loop, so the
// test hands over what to do with it before it opens. Input goes through SimulatedInput.h.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTimer>
#include <functional>
#include <memory>

#include "ui/SimulatedInput.h"

namespace movrand::test {

// Runs `action` with the first visible modal window for which `matches` holds, as soon as it
// shows. After `timeoutMs` it closes whatever modal window is open instead, so a window that
// never opens fails the test rather than hangs it. The flag becomes true once the action ran.
inline std::shared_ptr<bool> WhenModal(std::function<bool(QWidget*)> matches,
                                       std::function<void(QWidget*)> action,
                                       int timeoutMs = 10000) {
    auto done = std::make_shared<bool>(false);
    auto* timer = new QTimer(qApp);
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    QObject::connect(timer, &QTimer::timeout, [=] {
        QWidget* modal = QApplication::activeModalWidget();
        const bool found = modal && modal->isVisible() && matches(modal);
        if (found || (!modal && clock->elapsed() > timeoutMs)) {
            timer->stop();
            timer->deleteLater();
        }
        if (found) {
            *done = true;
            action(modal);
        } else if (modal && clock->elapsed() > timeoutMs) {
            modal->close();
        }
    });
    timer->start(5);
    return done;
}

inline std::shared_ptr<bool> WhenModal(const QString& objectName,
                                       std::function<void(QWidget*)> action) {
    return WhenModal([objectName](QWidget* w) { return w->objectName() == objectName; },
                     std::move(action));
}

// The same for the next platform message box (an error trap's report).
inline std::shared_ptr<bool> WhenMessageBox(std::function<void(QMessageBox*)> action) {
    return WhenModal([](QWidget* w) { return qobject_cast<QMessageBox*>(w) != nullptr; },
                     [action](QWidget* w) { action(qobject_cast<QMessageBox*>(w)); });
}

template <typename T = QWidget>
T* Control(QWidget* window, const QString& name) {
    return window->findChild<T*>(name);
}

// The object name a window gives control `index` of its array `kind`: Named("cmd", 6) is "cmd(6)".
// Tests pass the index by its name (mainwindow::cmd::kSaveCarNumber).
inline QString Named(const char* kind, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(kind)).arg(index);
}
template <typename T = QWidget>
T* Control(QWidget* window, const char* kind, int index) {
    return Control<T>(window, Named(kind, index));
}

// Saves a picture of a window for a person to look at, under the build's artifacts folder.
inline void SaveScreenshot(QWidget* window, const QString& name) {
    QDir().mkpath(QStringLiteral(MOVRAND_ARTIFACTS));
    window->grab().save(QStringLiteral(MOVRAND_ARTIFACTS) + QLatin1Char('/') + name + ".png");
}

}  // namespace movrand::test
