// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/WindowTitle.h"

#include "platform/VersionRecord.h"

namespace movrand::mainwindow {

std::string WindowTitle() {
    const auto& v = platform::kVersion;
    return " Zorvex's  Movrand  v" + std::to_string(v.Major) + "." + std::to_string(v.Minor) + "." +
           std::to_string(v.Revision);
}

}  // namespace movrand::mainwindow
