// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <vector>

#include "platform/Random.h"

namespace movrand::dialogs {

// Windows with a title bar (the file picker and the About box) lay one row and one column of
// tiles fewer; their outer size already leaves room to spare.
enum class SkinExtent { Full, OneFewer };

// One stretched copy of the background tile, in twips from the top left corner of the client
// area.
struct SkinTile {
    double X;
    double Y;
    double Width;
    double Height;
};

// Where the background tiles of a skinned window go. The window's outer size and the tile's size
// are in twips. Each tile takes one number of the random sequence, row by row, for its jitter
// of 20 to 300 twips to the right; the columns from -120 up cover the strip that the jitter of
// the first columns leaves bare. Every window has its own sizes, so this is the one place the
// texture is laid out.
std::vector<SkinTile> SkinTiles(double windowWidth, double windowHeight, double tileWidth,
                                double tileHeight, SkinExtent extent, platform::Random& rnd);

// Rounds to the nearest whole number, halves to the even one (as sizes in twips are counted).
int RoundHalfEven(double value);

}  // namespace movrand::dialogs
