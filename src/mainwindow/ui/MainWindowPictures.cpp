#include "mainwindow/ui/MainWindowPictures.h"

#include "resources/ui/Pictures.h"

namespace movrand::mainwindow {

QPixmap ResPicture(int id) {
    return resources::LoadResPicture(id);
}

QCursor ResCursor(int id) {
    return resources::LoadResCursor(id);
}

}  // namespace movrand::mainwindow
