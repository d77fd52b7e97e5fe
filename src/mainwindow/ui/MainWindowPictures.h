#pragma once
#include <QCursor>
#include <QPixmap>

namespace movrand::mainwindow {

// The program's bitmaps and cursors by resource number, as the main window uses them. The one
// place the window takes its pictures from.
QPixmap ResPicture(int id);
QCursor ResCursor(int id);

}  // namespace movrand::mainwindow
