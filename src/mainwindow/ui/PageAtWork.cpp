// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/ui/PageAtWork.h"

#include <QApplication>

namespace movrand::mainwindow {

PageAtWork::PageAtWork(platform::Ui& ui, QWidget* page)
    : ui_(ui), page_(page), focus_(QApplication::focusWidget()), wasEnabled_(page->isEnabled()) {
    ui_.SetBusy(true);
    page->setEnabled(false);
}

PageAtWork::~PageAtWork() {
    // Twice: a click the window system takes while the first round paints the windows (the
    // progress window's last picture among them) waits for the next round.
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    if (page_) page_->setEnabled(wasEnabled_);
    if (focus_ && focus_->isEnabled() && focus_->isVisible()) focus_->setFocus();
    ui_.SetBusy(false);
}

}  // namespace movrand::mainwindow
