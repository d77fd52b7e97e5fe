#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "dialogs/PaintSkin.h"

namespace movrand::dialogs {
namespace {

// True when the tiles leave no gap anywhere in the client area (checked per tile row, per
// twip column).
bool Covers(const std::vector<SkinTile>& tiles, double width, double height) {
    for (double y = 0; y < height; y += 5) {
        std::vector<std::pair<double, double>> spans;
        for (const SkinTile& t : tiles)
            if (t.Y <= y && y < t.Y + t.Height) spans.push_back({t.X, t.X + t.Width});
        std::sort(spans.begin(), spans.end());
        double reached = 0;
        for (const auto& [from, to] : spans) {
            if (from > reached) return false;
            reached = std::max(reached, to);
        }
        if (reached < width) return false;
    }
    return true;
}

// Each tile is jittered by 20 to 300 twips; the skin must cover the window either way, with the
// client size standing for the outer size too, as on a platform that reports no frame.
TEST(SkinTiles, TilesCoverTheClientAreaOfEveryWindowWhateverTheJitter) {
    struct Window {
        int Width, Height;
        SkinExtent Extent;
    };
    // Message, question, team, address, picker, About.
    const Window windows[] = {{3930, 1755, SkinExtent::Full},    {3930, 1410, SkinExtent::Full},
                              {5300, 1156, SkinExtent::Full},    {3600, 1785, SkinExtent::Full},
                              {7065, 1785, SkinExtent::Full},    {6105, 4320, SkinExtent::OneFewer},
                              {5730, 3555, SkinExtent::OneFewer}};
    for (const Window& w : windows) {
        // Draws near 0 give the least jitter, near 1 the most.
        for (const double draw : {0.0, 0.5, 0.9999}) {
            platform::Random rnd(11);
            auto tiles = SkinTiles(w.Width, w.Height, 450, 405, w.Extent, rnd);
            platform::Random again(11);
            for (SkinTile& t : tiles)
                t.X += std::floor(draw * 15 + 1) * 20 - std::floor(again.Next() * 15 + 1) * 20;
            // One number of the window's sequence per tile.
            EXPECT_EQ(rnd.Next(), again.Next());
            EXPECT_TRUE(Covers(tiles, w.Width, w.Height))
                << w.Width << "x" << w.Height << " " << draw;
        }
    }
    // A tile picture of no width (one that failed to load) lays no tiles.
    platform::Random rnd(7);
    EXPECT_TRUE(SkinTiles(3930, 1755, 0, 405, SkinExtent::Full, rnd).empty());
}

}  // namespace
}  // namespace movrand::dialogs
