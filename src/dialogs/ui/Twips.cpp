// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/ui/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace movrand::dialogs {

namespace {
double Dpi(bool horizontal) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return 96.0;
    const double dpi = horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY();
    return dpi > 0 ? dpi : 96.0;
}
}  // namespace

double TwipsPerPixelX() {
    return 1440.0 / Dpi(true);
}
double TwipsPerPixelY() {
    return 1440.0 / Dpi(false);
}
int PixelsX(int twips) {
    return static_cast<int>(std::lround(twips / TwipsPerPixelX()));
}
int PixelsY(int twips) {
    return static_cast<int>(std::lround(twips / TwipsPerPixelY()));
}
int TwipsX(int pixels) {
    return static_cast<int>(std::lround(pixels * TwipsPerPixelX()));
}
int TwipsY(int pixels) {
    return static_cast<int>(std::lround(pixels * TwipsPerPixelY()));
}
QRect TwipsRect(int left, int top, int width, int height) {
    return QRect(PixelsX(left), PixelsY(top), PixelsX(width), PixelsY(height));
}
QSize TwipsSize(int width, int height) {
    return QSize(PixelsX(width), PixelsY(height));
}
QPoint TwipsPoint(int left, int top) {
    return QPoint(PixelsX(left), PixelsY(top));
}

}  // namespace movrand::dialogs
