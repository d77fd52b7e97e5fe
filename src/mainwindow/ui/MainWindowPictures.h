// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QCursor>
#include <QPixmap>
#include <string>

#include "common/ProgramValues.h"

namespace movrand::mainwindow {

// The program's bitmaps and cursors by resource number, as the main window uses them. The one
// place the window takes its pictures from.
QPixmap ResPicture(int id);
QCursor ResCursor(int id);

// A BMP or JPEG picture file of an add-on or a team folder, read through the file-system service
// so its name resolves as the game's does. A missing, unreadable or damaged file, or no path at
// all, gives a null picture: a picture that will not load is no error.
QPixmap FilePicture(const ProgramValues& pv, const std::string& path);

}  // namespace movrand::mainwindow
