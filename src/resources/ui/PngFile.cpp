// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/ui/PngFile.h"

#include <QImageReader>

namespace movrand::resources {

QPixmap ReadPng(const QString& path) {
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

}  // namespace movrand::resources
