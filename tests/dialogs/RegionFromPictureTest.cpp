#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/RegionFromPicture.h"

namespace movrand::dialogs {
namespace {

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
