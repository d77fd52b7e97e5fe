// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/ui/MainWindowPictures.h"

#include <exception>

#include "resources/ui/Pictures.h"

namespace movrand::mainwindow {

QPixmap ResPicture(int id) {
    return resources::LoadResPicture(id);
}

QCursor ResCursor(int id) {
    return resources::LoadResCursor(id);
}

QPixmap FilePicture(const ProgramValues& pv, const std::string& path) {
    QPixmap picture;
    if (path.empty()) return picture;
    try {
        const std::string bytes = pv.Files().ReadAllBytes(path);
        picture.loadFromData(reinterpret_cast<const uchar*>(bytes.data()),
                             static_cast<uint>(bytes.size()));
    } catch (const std::exception&) {
        return QPixmap();
    }
    return picture;
}

}  // namespace movrand::mainwindow
