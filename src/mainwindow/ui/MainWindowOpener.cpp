// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/ui/MainWindowOpener.h"

#include "mainwindow/ui/frmMovrand.h"

namespace movrand::mainwindow {

std::unique_ptr<QWidget> OpenMainWindow(ProgramValues& pv, platform::Ui& ui,
                                        std::function<void()> afterFirstPaint) {
    auto window = std::make_unique<frmMovrand>(pv, ui);
    if (afterFirstPaint) window->AfterFirstPaint(std::move(afterFirstPaint));
    window->Form_Load();
    window->show();
    return window;
}

}  // namespace movrand::mainwindow
