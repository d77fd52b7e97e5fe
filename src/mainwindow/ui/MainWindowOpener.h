// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QWidget>
#include <functional>
#include <memory>

#include "common/ProgramValues.h"
#include "platform/Ui.h"

namespace movrand::mainwindow {

// Builds and shows the main window over the program-wide values; `afterFirstPaint` runs once the
// window's first picture is on the screen.
std::unique_ptr<QWidget> OpenMainWindow(ProgramValues& pv, platform::Ui& ui,
                                        std::function<void()> afterFirstPaint = {});

}  // namespace movrand::mainwindow
