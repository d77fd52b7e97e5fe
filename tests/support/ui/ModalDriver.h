#pragma once
// Helpers for GUI tests that drive modal windows: a modal window runs its own event loop, so the
// test hands over what to do with it before it opens. Input goes through SimulatedInput.h.
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

#include "ui/SimulatedInput.h"

namespace movrand::test {

// Runs `action` with the first visible modal window for which `matches` holds, as soon as it is
// showing. After `timeoutMs` it gives up and closes whatever modal window is open instead, so a
// window that never opens fails the test instead of hanging it. Returns a flag that becomes true
// once the action has run.
inline std::shared_ptr<bool> WhenModal(std::function<bool(QWidget*)> matches,
                                       std::function<void(QWidget*)> action,
                                       int timeoutMs = 10000) {
    auto done = std::make_shared<bool>(false);
    auto* timer = new QTimer(qApp);
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [=] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible() && matches(modal)) {
            timer->stop();
            timer->deleteLater();
            *done = true;
            action(modal);
        } else if (clock->elapsed() > timeoutMs) {
            // Whatever opened instead is closed, so the test fails rather than hangs.
            if (modal) {
                modal->close();
            } else {
                timer->stop();
                timer->deleteLater();
            }
        }
    });
    timer->start();
    return done;
}

// The same for a window with the given object name.
inline std::shared_ptr<bool> WhenModal(const QString& objectName,
                                       std::function<void(QWidget*)> action,
                                       int timeoutMs = 10000) {
    return WhenModal([objectName](QWidget* w) { return w->objectName() == objectName; },
                     std::move(action), timeoutMs);
}

template <typename T = QWidget>
T* Control(QWidget* window, const QString& name) {
    return window->findChild<T*>(name);
}

// Saves a picture of a window for a person to look at, under the build's artifacts folder.
inline QString SaveScreenshot(QWidget* window, const QString& name) {
#ifdef MOVRAND_ARTIFACTS
    QDir().mkpath(QStringLiteral(MOVRAND_ARTIFACTS));
    const QString path = QStringLiteral(MOVRAND_ARTIFACTS) + QLatin1Char('/') + name + ".png";
    window->grab().save(path);
    return path;
#else
    (void)window;
    (void)name;
    return QString();
#endif
}

}  // namespace movrand::test
