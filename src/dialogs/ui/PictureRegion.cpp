// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/ui/PictureRegion.h"

#include <QImage>

#include "dialogs/ui/Twips.h"

namespace movrand::dialogs {

ColourValue ColourOf(QRgb pixel) {
    return static_cast<ColourValue>(static_cast<unsigned>(qRed(pixel)) |
                                    static_cast<unsigned>(qGreen(pixel)) << 8 |
                                    static_cast<unsigned>(qBlue(pixel)) << 16);
}

QRegion RegionOfHolder(const QWidget* holder, ColourValue& colour) {
    QImage surface = const_cast<QWidget*>(holder)->grab().toImage();
    if (surface.size() != holder->size())
        surface = surface.scaled(holder->size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    surface = surface.convertToFormat(QImage::Format_RGB32);
    const PixelReader pixel = [&surface](int x, int y) -> ColourValue {
        if (!surface.valid(x, y)) return -1;  // what the platform answers off the surface
        return ColourOf(surface.pixel(x, y));
    };
    const auto runs = RegionFromPicture(TwipsX(holder->width()), TwipsY(holder->height()),
                                        TwipsPerPixelX(), TwipsPerPixelY(), pixel, colour);
    QRegion region;
    for (const PixelRect& r : runs)
        region += QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
    return region;
}

void SetWindowRegion(QWidget* widget, const QRegion& region) {
    // Qt takes an empty mask for "no mask"; a mask wholly outside the widget shows nothing.
    widget->setMask(region.isEmpty() ? QRegion(-2, -2, 1, 1) : region);
}

}  // namespace movrand::dialogs
