#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/RegionFromPicture.h"

namespace movrand::dialogs {
namespace {

constexpr ColourValue kWhite = 0x00FFFFFF;
constexpr ColourValue kBlue = 0x00FF0000;
constexpr ColourValue kBlack = 0;

// A picture drawn as rows of characters: '.' white, '#' blue, 'k' black.
struct Picture {
    std::vector<std::string> Rows;
    int Reads = 0;
    PixelReader Reader() {
        return [this](int x, int y) {
            ++Reads;
            const char c = Rows.at(static_cast<std::size_t>(y)).at(static_cast<std::size_t>(x));
            return c == '.' ? kWhite : c == '#' ? kBlue : kBlack;
        };
    }
    double WidthTwips() const { return static_cast<double>(Rows[0].size()) * 15; }
    double HeightTwips() const { return static_cast<double>(Rows.size()) * 15; }
};

std::vector<PixelRect> Outline(Picture& p, ColourValue& colour) {
    return RegionFromPicture(p.WidthTwips(), p.HeightTwips(), 15, 15, p.Reader(), colour);
}

TEST(RegionFromPicture, OneRectanglePerRunAndNoneForAPictureOfTheTransparentColour) {
    Picture p{{".##..#", "######", "......", "#....."}};
    ColourValue colour = 0;
    // A run at the right edge ends at the width.
    const std::vector<PixelRect> expected = {
        {1, 0, 3, 1}, {5, 0, 6, 1}, {0, 1, 6, 2}, {0, 3, 1, 4}};
    EXPECT_EQ(Outline(p, colour), expected);

    Picture blank{{"....", "....", "...."}};
    colour = 0;
    EXPECT_TRUE(Outline(blank, colour).empty());
    EXPECT_EQ(colour, kWhite);
    EXPECT_EQ(blank.Reads, 1 + 12);  // the corner, then every pixel once
}

TEST(RegionFromPicture, AColourOfOneOrMoreIsKeptZeroOrBelowMeansTheTopLeftPixel) {
    Picture p{{"##k.", "k##."}};
    ColourValue colour = kBlue;
    auto runs = Outline(p, colour);
    EXPECT_EQ(colour, kBlue);
    EXPECT_EQ(runs, (std::vector<PixelRect>{{2, 0, 4, 1}, {0, 1, 1, 2}, {3, 1, 4, 2}}));

    // Black cannot be asked for: 0 stands for the corner's colour, which the caller gets back.
    Picture q{{"#kk", "kk#"}};
    colour = kBlack;
    runs = Outline(q, colour);
    EXPECT_EQ(colour, kBlue);
    EXPECT_EQ(runs, (std::vector<PixelRect>{{1, 0, 3, 1}, {0, 1, 2, 2}}));

    // A system colour (0x800000nn) is below 1 as a signed value, so it is replaced as well.
    ColourValue system = static_cast<ColourValue>(0x80000005u);
    Picture r{{"k#", "#k"}};
    runs = Outline(r, system);
    EXPECT_EQ(system, kBlack);
    EXPECT_EQ(runs, (std::vector<PixelRect>{{1, 0, 2, 1}, {0, 1, 1, 2}}));
}

TEST(RegionFromPicture, ThePixelSizeComesFromTheTwipsRoundedHalfToEven) {
    Picture p{{"###", "###", "###"}};
    ColourValue colour = kWhite;
    // 37.5 twips at 15 per pixel is 2.5 pixels: two columns and two rows are read.
    auto runs = RegionFromPicture(37.5, 37.5, 15, 15, p.Reader(), colour);
    EXPECT_EQ(runs, (std::vector<PixelRect>{{0, 0, 2, 1}, {0, 1, 2, 2}}));
    // Horizontal and vertical resolutions are taken separately: 36 / 12 = 3, 45 / 15 = 3.
    runs = RegionFromPicture(36, 45, 12, 15, p.Reader(), colour);
    EXPECT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs.back(), (PixelRect{0, 2, 3, 3}));
}

}  // namespace
}  // namespace movrand::dialogs
