// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/ui/Pictures.h"

#include <QString>

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
    return QPixmap(QStringLiteral(":/pictures/bitmap%1.png").arg(id));
}

QCursor LoadResCursor(int id) {
    EnsureRegistered();
    if (id != 101) return QCursor(Qt::ArrowCursor);
    return QCursor(QPixmap(QStringLiteral(":/pictures/cursor101.png")), kHandHotSpotX,
                   kHandHotSpotY);
}

QIcon LoadResIcon(int id) {
    EnsureRegistered();
    if (id != 101) return QIcon();
    QIcon icon;
    icon.addFile(QStringLiteral(":/pictures/icon101.png"), QSize(32, 32));
    icon.addFile(QStringLiteral(":/pictures/icon101_16.png"), QSize(16, 16));
    return icon;
}

}  // namespace movrand::resources
