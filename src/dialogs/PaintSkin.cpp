// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/PaintSkin.h"

#include <cmath>

namespace movrand::dialogs {

int RoundHalfEven(double value) {
    const double below = std::floor(value);
    const double fraction = value - below;
    double rounded = below;
    if (fraction > 0.5) {
        rounded = below + 1;
    } else if (fraction == 0.5) {
        rounded = std::fmod(below, 2.0) == 0 ? below : below + 1;
    }
    return static_cast<int>(rounded);
}

std::vector<SkinTile> SkinTiles(double windowWidth, double windowHeight, double tileWidth,
                                double tileHeight, SkinExtent extent, platform::Random& rnd) {
    std::vector<SkinTile> tiles;
    if (tileWidth <= 0 || tileHeight <= 0) return tiles;
    int cols = RoundHalfEven(windowWidth / tileWidth);
    int rows = RoundHalfEven(windowHeight / tileHeight);
    if (extent == SkinExtent::OneFewer) {
        --cols;
        --rows;
    }
    // 17 / 10 rather than 1.7 keeps whole tile widths exact.
    const double stretched = std::floor(tileWidth * 17.0 / 10.0);
    constexpr int kFirstCol = -120;
    if (rows >= 0 && cols >= kFirstCol)
        tiles.reserve(static_cast<std::size_t>(rows + 1) *
                      static_cast<std::size_t>(cols - kFirstCol + 1));
    for (int row = 0; row <= rows; ++row) {
        for (int col = kFirstCol; col <= cols; ++col) {
            const double r = rnd.Next();
            const double jitter = std::floor(r * 15 + 1) * 20;
            tiles.push_back(
                {col * tileWidth - col + jitter, row * tileHeight, stretched, tileHeight});
        }
    }
    return tiles;
}

}  // namespace movrand::dialogs
