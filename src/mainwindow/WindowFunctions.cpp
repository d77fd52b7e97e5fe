// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/WindowFunctions.h"

namespace movrand::mainwindow {

std::string DriveOfPath(const std::string& path) {
    return path.substr(0, 1);
}

}  // namespace movrand::mainwindow
