// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

namespace movrand::mainwindow {

// The drive letter a drive list is set to for a path: its first character ("" for "").
std::string DriveOfPath(const std::string& path);

}  // namespace movrand::mainwindow
