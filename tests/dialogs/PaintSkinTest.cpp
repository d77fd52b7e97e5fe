#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "dialogs/PaintSkin.h"

namespace movrand::dialogs {
namespace {

TEST(SkinTiles, MessageWindowAtFifteenTwipsPerPixelIsFiveRowsOf130Tiles) {
    platform::Random rnd(7);
    platform::Random reference(7);
    const auto tiles = SkinTiles(3930, 1755, 450, 405, SkinExtent::Full, rnd);
    ASSERT_EQ(tiles.size(), 5u * 130u);
    // Row-major order, one draw per tile, columns from -120 to 9.
    for (int row = 0; row < 5; ++row) {
        for (int col = -120; col <= 9; ++col) {
            const SkinTile& t = tiles[static_cast<std::size_t>(row * 130 + col + 120)];
            const double jitter = std::floor(reference.Next() * 15 + 1) * 20;
            ASSERT_EQ(t.X, col * 450 - col + jitter) << row << "," << col;
            ASSERT_EQ(t.Y, row * 405);
            ASSERT_EQ(t.Width, 765);
            ASSERT_EQ(t.Height, 405);
            ASSERT_GE(jitter, 20);
            ASSERT_LE(jitter, 300);
        }
    }
    // The window's sequence moved on by exactly one number per tile.
    EXPECT_EQ(rnd.Next(), reference.Next());
    // A tile picture of no width (one that failed to load) lays no tiles.
    EXPECT_TRUE(SkinTiles(3930, 1755, 0, 405, SkinExtent::Full, rnd).empty());
}

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

// The same tiles with every jitter at one end of its range (20 or 300 twips).
std::vector<SkinTile> AllJitteredBy(std::vector<SkinTile> tiles, int columns, double jitter) {
    for (std::size_t i = 0; i < tiles.size(); ++i) {
        const int col = static_cast<int>(i % static_cast<std::size_t>(columns)) - 120;
        tiles[i].X = col * 450 - col + jitter;
    }
    return tiles;
}

TEST(SkinTiles, TilesCoverTheClientAreaOfEveryWindowEvenWithoutAFrame) {
    struct Window {
        int Width, Height;
        SkinExtent Extent;
    };
    // Message, question, team, address, picker, About: the client size stands for the outer
    // size too, as on a platform that reports no frame.
    const Window windows[] = {{3930, 1755, SkinExtent::Full},    {3930, 1410, SkinExtent::Full},
                              {5300, 1156, SkinExtent::Full},    {3600, 1785, SkinExtent::Full},
                              {7065, 1785, SkinExtent::Full},    {6105, 4320, SkinExtent::OneFewer},
                              {5730, 3555, SkinExtent::OneFewer}};
    for (const Window& w : windows) {
        platform::Random rnd(11);
        const auto tiles = SkinTiles(w.Width, w.Height, 450, 405, w.Extent, rnd);
        const int columns = static_cast<int>(
            tiles.size() / static_cast<std::size_t>(1 + static_cast<int>(tiles.back().Y / 405)));
        EXPECT_TRUE(Covers(tiles, w.Width, w.Height)) << w.Width << "x" << w.Height;
        for (double jitter : {20.0, 300.0})
            EXPECT_TRUE(Covers(AllJitteredBy(tiles, columns, jitter), w.Width, w.Height))
                << w.Width << "x" << w.Height << " jitter " << jitter;
    }
}

}  // namespace
}  // namespace movrand::dialogs
