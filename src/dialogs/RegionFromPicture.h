// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

namespace movrand::dialogs {

// A colour as the platform gives it: 0x00BBGGRR.
using ColourValue = std::int32_t;

// Reads the colour of one pixel of a picture.
using PixelReader = std::function<ColourValue(int x, int y)>;

// A rectangle of pixels; the right and bottom edges are not part of it.
struct PixelRect {
    int Left;
    int Top;
    int Right;
    int Bottom;
    bool operator==(const PixelRect&) const = default;
};

// The outline of a picture: one rectangle for every run of pixels in a row that differ from
// `colour`; their union is the region a window is cut to. The picture's size is given in twips
// with the screen's twips per pixel. A colour below 1 stands for the colour of the top left
// pixel, which is then written back into `colour` for the caller (so black cannot be asked for).
// Pixels are compared as whole colour values, with no tolerance.
std::vector<PixelRect> RegionFromPicture(double widthTwips, double heightTwips,
                                         double twipsPerPixelX, double twipsPerPixelY,
                                         const PixelReader& pixel, ColourValue& colour);

}  // namespace movrand::dialogs
