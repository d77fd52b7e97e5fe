// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/RegionFromPicture.h"

#include "dialogs/PaintSkin.h"

namespace movrand::dialogs {

std::vector<PixelRect> RegionFromPicture(double widthTwips, double heightTwips,
                                         double twipsPerPixelX, double twipsPerPixelY,
                                         const PixelReader& pixel, ColourValue& colour) {
    std::vector<PixelRect> runs;
    const int w = RoundHalfEven(widthTwips / twipsPerPixelX);
    const int h = RoundHalfEven(heightTwips / twipsPerPixelY);
    if (colour < 1) colour = pixel(0, 0);
    for (int y = 0; y < h; ++y) {
        int x = 0;
        while (x < w) {
            while (x < w && pixel(x, y) == colour) ++x;
            if (x >= w) break;
            const int x0 = x;
            while (x < w && pixel(x, y) != colour) ++x;
            runs.push_back({x0, y, x, y + 1});
        }
    }
    return runs;
}

}  // namespace movrand::dialogs
