// SPDX-License-Identifier: GPL-3.0-or-later
// Watches the progress window while a page's work runs, for the tests of long work.
#pragma once

#include <gtest/gtest.h>
#include <qpa/qwindowsysteminterface.h>

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <vector>

#include "dialogs/ui/QtUi.h"
#include "dialogs/ui/frmProgressControls.h"
#include "ui/ModalDriver.h"

namespace movrand::test {

// The desktop program's Ui, its questions answered Yes, its messages kept and its file picker
// answered from `files`, so that only the progress window is shown.
struct AnsweringUi : dialogs::QtUi {
    using QtUi::QtUi;
    std::vector<std::string> messages;
    std::vector<std::string> files;
    std::size_t filePickers = 0;
    bool AskYesNo(const platform::Question&) override {
        EndFileProgress();
        return true;
    }
    void ShowMessage(const std::string& message, int, int) override {
        EndFileProgress();
        messages.push_back(message);
    }
    std::string SelectFile(const std::string&, const std::string&, const std::string&) override {
        EndFileProgress();
        const std::size_t call = filePickers++;
        return call < files.size() ? files[call] : "";
    }
};

// While installed as the application's event filter: what the progress window said each time it
// was painted, with a check that none of `buttons` could be clicked meanwhile. At the first
// paint it gives the window system a click on `heldClick`, which the window system holds while
// the work runs, as it holds a user's; the picture of the window is taken at paint `shotAt`.
struct ProgressWatch : QObject {
    QStringList said;
    std::vector<QWidget*> buttons;
    QWidget* heldClick = nullptr;
    QString shotName = "frmProgress";
    int shotAt = 1;

    bool eventFilter(QObject* object, QEvent* event) override {
        namespace progress = dialogs::frmProgressControls;
        auto* label = qobject_cast<QLabel*>(object);
        if (event->type() != QEvent::Paint || !label ||
            label->objectName() != Named("lbl", progress::lbl::kProgress) ||
            label->window()->objectName() != "frmProgress")
            return false;
        said << label->text();
        for (QWidget* button : buttons)
            EXPECT_FALSE(button->isEnabled()) << button->objectName().toStdString();
        if (heldClick) {
            QWindow* window = heldClick->window()->windowHandle();
            const QPoint at = heldClick->rect().center();
            const QPointF local = heldClick->mapTo(heldClick->window(), at);
            for (const bool down : {true, false})
                QWindowSystemInterface::handleMouseEvent<
                    QWindowSystemInterface::AsynchronousDelivery>(
                    window, local, heldClick->mapToGlobal(QPointF(at)),
                    down ? Qt::LeftButton : Qt::NoButton, Qt::LeftButton,
                    down ? QEvent::MouseButtonPress : QEvent::MouseButtonRelease);
            heldClick = nullptr;
        }
        QWidget* w = label->window();
        EXPECT_FALSE(Control<QLabel>(w, "lbl", progress::lbl::kFile)->text().isEmpty());
        EXPECT_GT(Control<QProgressBar>(w, "prg", progress::prg::kBar)->maximum(), 0);
        // Taken once the paint is over; the window may be gone by then.
        if (said.size() == shotAt)
            QTimer::singleShot(0, w, [w, name = shotName] { SaveScreenshot(w, name); });
        return false;
    }
};

}  // namespace movrand::test
