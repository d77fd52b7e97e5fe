#include "mainwindow/ui/MainWindowPictures.h"

namespace movrand::mainwindow {

// The bitmaps arrive with the dialogs' picture table; until then the pictures are empty and the
// pointer over clickable controls is the platform's pointing hand.
QPixmap ResPicture(int) {
    return QPixmap();
}

QCursor ResCursor(int) {
    return QCursor(Qt::PointingHandCursor);
}

}  // namespace movrand::mainwindow
