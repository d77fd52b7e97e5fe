// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QPoint>
#include <QRect>
#include <QSize>

namespace movrand::dialogs {

// Positions and sizes are given in twips (1/1440 inch); this is the one place that turns them
// into pixels, horizontally and vertically from the screen's own resolution (15 twips per pixel
// at 96 DPI).
double TwipsPerPixelX();
double TwipsPerPixelY();
int PixelsX(int twips);
int PixelsY(int twips);
int TwipsX(int pixels);
int TwipsY(int pixels);
QRect TwipsRect(int left, int top, int width, int height);
QSize TwipsSize(int width, int height);
QPoint TwipsPoint(int left, int top);

}  // namespace movrand::dialogs
