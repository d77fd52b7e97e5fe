// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace movrand::resources {

// The program's own pictures that code names by what they show: bitmaps 101 to 143, the cursor
// and the icon, which carry the number 101 of their own kinds. The team pictures (104 to 111)
// and the flags (112 to 140) come by number from the team and nationality tables.
inline constexpr int kTickPicture = 101;      // the green tick: OK, Yes, Save, "Use this file"
inline constexpr int kSkinTile = 102;         // the tile every skinned window is painted with
inline constexpr int kCrossPicture = 103;     // the red cross: Cancel, No
inline constexpr int kGreyTickPicture = 141;  // "Use this file" while no file is chosen
inline constexpr int kHelpBook = 142;         // the help buttons of Add and Remove mode
inline constexpr int kAboutPicture = 143;     // the About box's picture
inline constexpr int kProgramIcon = 101;      // the icon of every window
inline constexpr int kHandCursor = 101;       // over clickable pictures

}  // namespace movrand::resources
