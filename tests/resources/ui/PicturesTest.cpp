#include <gtest/gtest.h>

#include <QImage>

#include "resources/ui/Pictures.h"
#include "roster/NationalityTable.h"
#include "roster/TeamTable.h"

namespace movrand::resources {
namespace {

QSize SizeOf(int id) {
    return LoadResPicture(id).size();
}

// Every picture the program names exists at its size; the flags are told apart by their looks.
TEST(Pictures, EveryBitmapHasItsSizeAndEveryFlagItsOwnLook) {
    for (int id : {101, 103, 141}) EXPECT_EQ(SizeOf(id), QSize(63, 15)) << id;
    EXPECT_EQ(SizeOf(102), QSize(30, 27));
    EXPECT_EQ(SizeOf(104), QSize(581, 129));
    EXPECT_EQ(SizeOf(142), QSize(32, 31));
    EXPECT_EQ(SizeOf(143), QSize(100, 61));
    EXPECT_TRUE(LoadResPicture(100).isNull());
    EXPECT_TRUE(LoadResPicture(144).isNull());
    for (int number = 0; number <= 6; ++number) {
        const Team* team = TeamByNumber(number);
        ASSERT_NE(team, nullptr);
        const QSize expected = team->DisplayName == "Cooper"  ? QSize(70, 67)
                               : team->DisplayName == "Honda" ? QSize(108, 67)
                                                              : QSize(165, 140);
        EXPECT_EQ(SizeOf(team->PictureId), expected) << team->DisplayName;
    }
    for (int id = 112; id <= 140; ++id) EXPECT_EQ(SizeOf(id), QSize(53, 34)) << id;
    for (int index = 0; index <= 28; ++index)
        EXPECT_FALSE(LoadResPicture(NationalityByIndex(index)->FlagId).isNull()) << index;
    for (int a = 112; a <= 140; ++a)
        for (int b = a + 1; b <= 140; ++b)
            EXPECT_NE(LoadResPicture(a).toImage(), LoadResPicture(b).toImage()) << a << " " << b;
}

TEST(Pictures, TheHandCursorPointsWithItsFingerTipAndTheIconComesInTwoSizes) {
    const QCursor hand = LoadResCursor(101);
    EXPECT_EQ(hand.shape(), Qt::BitmapCursor);
    EXPECT_EQ(hand.hotSpot(), QPoint(12, 1));
    EXPECT_EQ(hand.pixmap().size(), QSize(32, 32));
    const QImage image = hand.pixmap().toImage();
    EXPECT_GT(qAlpha(image.pixel(12, 1)), 0);  // the finger's tip is at the hot spot
    EXPECT_EQ(qAlpha(image.pixel(12, 0)), 0);
    EXPECT_EQ(LoadResCursor(102).shape(), Qt::ArrowCursor);
    const QIcon icon = LoadResIcon(101);
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.availableSizes().size(), 2);
    EXPECT_TRUE(LoadResIcon(1).isNull());
}

}  // namespace
}  // namespace movrand::resources
