// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

namespace movrand::mainwindow {

// " Zorvex's  Movrand  v" + major.minor.revision of the version record.
std::string WindowTitle();

}  // namespace movrand::mainwindow
