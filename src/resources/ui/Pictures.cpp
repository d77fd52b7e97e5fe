// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/ui/Pictures.h"

#include <QString>

#include "resources/ui/PngFile.h"

// The pictures live in a static library; nothing else refers to their resource data, so it is
// registered by hand before the first use.
static void RegisterPictures() {
    Q_INIT_RESOURCE(pictures);
}

namespace movrand::resources {

namespace {
void EnsureRegistered() {
    static const bool registered = [] {
        RegisterPictures();
        return true;
    }();
    (void)registered;
}
}  // namespace

QPixmap LoadResPicture(int id) {
    EnsureRegistered();
    if (id < 101 || id > 143) return QPixmap();
    return ReadPng(QStringLiteral(":/pictures/bitmap%1.png").arg(id));
}

QCursor LoadResCursor(int id) {
    EnsureRegistered();
    if (id != 101) return QCursor(Qt::ArrowCursor);
    return QCursor(ReadPng(QStringLiteral(":/pictures/cursor101.png")), kHandHotSpotX,
                   kHandHotSpotY);
}

QIcon LoadResIcon(int id) {
    EnsureRegistered();
    if (id != 101) return QIcon();
    QIcon icon;
    icon.addPixmap(ReadPng(QStringLiteral(":/pictures/icon101.png")));
    icon.addPixmap(ReadPng(QStringLiteral(":/pictures/icon101_16.png")));
    return icon;
}

}  // namespace movrand::resources
