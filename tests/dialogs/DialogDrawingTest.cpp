// SPDX-License-Identifier: GPL-3.0-or-later
// The sizes, background tiles and outlines of the program's own windows, at what the window
// tests do not reach.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "dialogs/DialogLayout.h"
#include "dialogs/PaintSkin.h"
#include "dialogs/RegionFromPicture.h"

namespace movrand::dialogs {
namespace {

// A caller's size of 0 (most callers give none) keeps the design size, and a window smaller
// than its margins shows no label instead of one of negative size.
TEST(DialogLayout, NoSizeKeepsTheDesignAndATinyWindowHasNoLabel) {
    EXPECT_EQ(MsgBoxSize(0, 0), (TwipsSize{3930, 1755}));
    EXPECT_EQ(MsgBoxSize(5000, 0), (TwipsSize{5000, 1755}));
    EXPECT_EQ(YesNoSize(0, 0), (TwipsSize{3930, 1410}));
    EXPECT_FALSE(LayOutMsgBox(3930, 854).Label.has_value());
    EXPECT_EQ(LayOutMsgBox(555, 855).Label, (TwipsBox{240, 240, 0, 0}));
    EXPECT_FALSE(LayOutYesNo(509, 1500).Label.has_value());
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

constexpr ColourValue kWhite = 0x00FFFFFF, kBlue = 0x00FF0000, kBlack = 0;

// A picture drawn as rows of characters, '.' white, '#' blue, 'k' black, outlined with colour 0
// (the top left pixel's colour, given back to the caller); the rectangles of its outline.
struct Case {
    std::vector<std::string> Rows;
    ColourValue Corner;
    std::vector<PixelRect> Outline;
    double SizeTwips = 0;  // 0: the rows' size at 15 twips per pixel
};

const std::vector<Case> kCases = {
    // One rectangle per run; a run at the right edge ends at the width.
    {{".##..#", "######", "......", "#....."},
     kWhite,
     {{1, 0, 3, 1}, {5, 0, 6, 1}, {0, 1, 6, 2}, {0, 3, 1, 4}}},
    {{"....", "....", "...."}, kWhite, {}},
    // Black is a colour like any other.
    {{"#kk", "kk#"}, kBlue, {{1, 0, 3, 1}, {0, 1, 2, 2}}},
    // 37.5 twips are 2.5 pixels, rounded half to even: 2.
    {{"k##", "###", "###"}, kBlack, {{1, 0, 2, 1}, {0, 1, 2, 2}}, 37.5},
};

TEST(RegionFromPicture, EachPictureGivesItsOutline) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.Rows[0]);
        int reads = 0;
        const PixelReader pixel = [&](int x, int y) {
            ++reads;
            const char ch = c.Rows.at(static_cast<std::size_t>(y)).at(static_cast<std::size_t>(x));
            return ch == '.' ? kWhite : ch == '#' ? kBlue : kBlack;
        };
        const double width = c.SizeTwips ? c.SizeTwips : 15.0 * c.Rows[0].size();
        const double height = c.SizeTwips ? c.SizeTwips : 15.0 * c.Rows.size();
        ColourValue colour = 0;
        EXPECT_EQ(RegionFromPicture(width, height, 15, 15, pixel, colour), c.Outline);
        EXPECT_EQ(colour, c.Corner);
        // A picture all of one colour: the corner, then every pixel once.
        if (c.Outline.empty()) {
            EXPECT_EQ(reads, 1 + static_cast<int>(c.Rows.size() * c.Rows[0].size()));
        }
    }
}

}  // namespace
}  // namespace movrand::dialogs
