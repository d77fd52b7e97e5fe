#include <gtest/gtest.h>

#include "dialogs/DialogLayout.h"

namespace movrand::dialogs {
namespace {

TEST(MsgBoxLayout, DesignCallerSizedAndTooSmallWindows) {
    const MsgBoxLayout design = LayOutMsgBox(kMsgBoxWidth, kMsgBoxHeight);
    EXPECT_EQ(design.Label, (TwipsBox{240, 240, 3375, 900}));
    EXPECT_EQ(design.Ok, (TwipsBox{2760, 1320, 945, 225}));
    EXPECT_EQ(design.Frame, (TwipsBox{0, 0, 3930, 1755}));

    const MsgBoxLayout moved = LayOutMsgBox(4000, 1500);
    EXPECT_EQ(moved.Label, (TwipsBox{240, 240, 3445, 645}));
    EXPECT_EQ(moved.Ok, (TwipsBox{2830, 1065, 945, 225}));
    EXPECT_EQ(moved.Frame, (TwipsBox{0, 0, 4000, 1500}));

    // A window smaller than its margins skips only the label.
    const MsgBoxLayout tiny = LayOutMsgBox(500, 800);
    EXPECT_FALSE(tiny.Label.has_value());
    EXPECT_EQ(tiny.Ok, (TwipsBox{-670, 365, 945, 225}));
    EXPECT_EQ(tiny.Frame, (TwipsBox{0, 0, 500, 800}));
    EXPECT_FALSE(LayOutMsgBox(3930, 854).Label.has_value());
    EXPECT_EQ(LayOutMsgBox(555, 855).Label, (TwipsBox{240, 240, 0, 0}));

    // A caller size of 0 keeps the design size.
    EXPECT_EQ(MsgBoxSize(0, 0), (TwipsSize{3930, 1755}));
    EXPECT_EQ(MsgBoxSize(3600, 1785), (TwipsSize{3600, 1785}));
    EXPECT_EQ(MsgBoxSize(5000, 0), (TwipsSize{5000, 1755}));
}

TEST(YesNoLayout, OnlyAWidthAbove3930AndAHeightAbove1155AreApplied) {
    EXPECT_EQ(YesNoSize(0, 0), (TwipsSize{3930, 1410}));
    EXPECT_EQ(YesNoSize(3930, 1155), (TwipsSize{3930, 1410}));
    EXPECT_EQ(YesNoSize(3931, 1155), (TwipsSize{3931, 1410}));
    const YesNoLayout wide = LayOutYesNo(5300, 1410);
    EXPECT_EQ(wide.Yes, (TwipsBox{3050, 975, 945, 225}));
    EXPECT_EQ(wide.No, (TwipsBox{4130, 975, 945, 225}));
    EXPECT_EQ(wide.Label, (TwipsBox{240, 240, 4790, 555}));
    EXPECT_EQ(wide.Frame, (TwipsBox{0, 0, 5300, 1410}));

    // 1156 is applied and makes the window lower than its design height.
    EXPECT_EQ(YesNoSize(100, 1156), (TwipsSize{3930, 1156}));
    const YesNoLayout low = LayOutYesNo(3930, 1156);
    EXPECT_EQ(low.Label, (TwipsBox{240, 240, 3420, 301}));
    EXPECT_EQ(low.Yes.Top, 721);
    EXPECT_EQ(low.No.Top, low.Yes.Top);
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
