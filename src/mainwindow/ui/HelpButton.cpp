#include "mainwindow/ui/HelpButton.h"

#include <QBitmap>
#include <QImage>

namespace movrand::mainwindow {

void ShowHelpButton(QLabel* button, const QPixmap& picture) {
    button->setPixmap(picture);
    if (picture.isNull()) return;
    const QImage image = picture.toImage();
    const QBitmap outline = picture.createMaskFromColor(image.pixelColor(0, 0), Qt::MaskInColor);
    button->setMask(QBitmap::fromPixmap(outline.scaled(button->size())));
}

}  // namespace movrand::mainwindow
