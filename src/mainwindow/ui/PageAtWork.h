// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QPointer>
#include <QWidget>

#include "platform/Ui.h"

namespace movrand::mainwindow {

// While a page's work runs, nothing on the page can start more, and it looks so: the hourglass
// is shown and the page's controls are disabled. The clicks and keys given meanwhile, which the
// window system held back, are let through while the controls still are disabled, so that none
// of them starts work after this ends. The keyboard focus goes back where it was.
class PageAtWork {
  public:
    PageAtWork(platform::Ui& ui, QWidget* page);
    ~PageAtWork();
    PageAtWork(const PageAtWork&) = delete;
    PageAtWork& operator=(const PageAtWork&) = delete;

  private:
    platform::Ui& ui_;
    QPointer<QWidget> page_;
    QPointer<QWidget> focus_;
    bool wasEnabled_;
};

}  // namespace movrand::mainwindow
