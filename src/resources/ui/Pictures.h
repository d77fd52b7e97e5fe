// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QCursor>
#include <QIcon>
#include <QPixmap>

namespace movrand::resources {

// The program's own pictures, by their numbers: bitmaps 101 to 143 (picture buttons, the skin's
// tile, the blank team panel, team pictures, flags, the help book, the About picture), cursor
// 101 (the hand over clickable pictures) and icon 101. An unknown number gives a null picture,
// the arrow pointer or an empty icon.
QPixmap LoadResPicture(int id);
QCursor LoadResCursor(int id);
QIcon LoadResIcon(int id);

// The hot spot of cursor 101: the tip of the pointing finger.
inline constexpr int kHandHotSpotX = 12;
inline constexpr int kHandHotSpotY = 1;

}  // namespace movrand::resources
