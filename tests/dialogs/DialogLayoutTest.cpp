#include <gtest/gtest.h>

#include "dialogs/DialogLayout.h"

namespace movrand::dialogs {
namespace {

// The windows apply these layouts (the GUI tests check the design and caller-sized ones); here
// the rules that only unusual sizes reach.
TEST(MsgBoxLayout, AWindowSmallerThanItsMarginsSkipsOnlyTheLabelAndZeroKeepsTheDesignSize) {
    const MsgBoxLayout tiny = LayOutMsgBox(500, 800);
    EXPECT_FALSE(tiny.Label.has_value());
    EXPECT_EQ(tiny.Ok, (TwipsBox{-670, 365, 945, 225}));
    EXPECT_EQ(tiny.Frame, (TwipsBox{0, 0, 500, 800}));
    EXPECT_FALSE(LayOutMsgBox(3930, 854).Label.has_value());
    EXPECT_EQ(LayOutMsgBox(555, 855).Label, (TwipsBox{240, 240, 0, 0}));

    EXPECT_EQ(MsgBoxSize(0, 0), (TwipsSize{3930, 1755}));
    EXPECT_EQ(MsgBoxSize(3600, 1785), (TwipsSize{3600, 1785}));
    EXPECT_EQ(MsgBoxSize(5000, 0), (TwipsSize{5000, 1755}));
}

TEST(YesNoLayout, OnlyAWidthAbove3930AndAHeightAbove1155AreApplied) {
    EXPECT_EQ(YesNoSize(0, 0), (TwipsSize{3930, 1410}));
    EXPECT_EQ(YesNoSize(3930, 1155), (TwipsSize{3930, 1410}));
    EXPECT_EQ(YesNoSize(3931, 1155), (TwipsSize{3931, 1410}));
    EXPECT_EQ(YesNoSize(100, 1156), (TwipsSize{3930, 1156}));
    EXPECT_EQ(LayOutYesNo(3930, 1156).Label, (TwipsBox{240, 240, 3420, 301}));
}

TEST(MessageText, BlanksAroundTheTextGoButOtherWhiteSpaceStays) {
    EXPECT_EQ(MessageText("   The Car has been removed.  "), "The Car has been removed.");
    EXPECT_EQ(MessageText("\tkept\t"), "\tkept\t");
    EXPECT_EQ(MessageText("Unable to find driver.ini           Please locate file."),
              "Unable to find driver.ini           Please locate file.");
    EXPECT_EQ(MessageText("    "), "");
}

}  // namespace
}  // namespace movrand::dialogs
