// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QRegion>
#include <QRgb>
#include <QWidget>

#include "dialogs/RegionFromPicture.h"

namespace movrand::dialogs {

// A Qt pixel as the platform's colour value 0x00BBGGRR.
ColourValue ColourOf(QRgb pixel);

// The outline of what a picture holder shows: every pixel except those of `colour` (0 or less
// stands for the top left pixel's colour, which the caller then gets back in `colour`).
QRegion RegionOfHolder(const QWidget* holder, ColourValue& colour);

// Cuts a control or window to a region; only the pixels inside it show and take the mouse.
// An empty region leaves nothing of it showing.
void SetWindowRegion(QWidget* widget, const QRegion& region);

}  // namespace movrand::dialogs
