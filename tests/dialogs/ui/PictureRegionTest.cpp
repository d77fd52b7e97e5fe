#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>

#include "dialogs/ui/PictureRegion.h"
#include "resources/ui/Pictures.h"

namespace movrand::dialogs {
namespace {

// A picture holder showing a picture at its own size, as the help buttons do.
struct Holder {
    QWidget window;
    QLabel* label;
    explicit Holder(const QPixmap& picture) : label(new QLabel(&window)) {
        label->setPixmap(picture);
        label->resize(picture.size());
    }
};

TEST(PictureRegion, TheHelpBookKeepsTheBookAndLosesItsWhiteGround) {
    const QPixmap book = resources::LoadResPicture(142);
    Holder h(book);
    ColourValue colour = 0;
    const QRegion region = RegionOfHolder(h.label, colour);
    EXPECT_EQ(colour, 0x00FFFFFF);
    const QImage image = book.toImage().convertToFormat(QImage::Format_RGB32);
    int kept = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const bool ground = image.pixel(x, y) == qRgb(255, 255, 255);
            EXPECT_EQ(region.contains(QPoint(x, y)), !ground) << x << "," << y;
            kept += ground ? 0 : 1;
        }
    EXPECT_GT(kept, 300);
    EXPECT_FALSE(region.contains(QPoint(0, 0)));
    SetWindowRegion(h.label, region);
    EXPECT_EQ(h.label->mask(), region);
}

TEST(PictureRegion, APictureOfOneColourLeavesNothingShowing) {
    QPixmap plain(20, 10);
    plain.fill(QColor(10, 20, 30));
    Holder h(plain);
    ColourValue colour = 0;
    const QRegion region = RegionOfHolder(h.label, colour);
    EXPECT_TRUE(region.isEmpty());
    EXPECT_EQ(colour, 0x001E140A);  // 0x00BBGGRR
    SetWindowRegion(h.label, region);
    EXPECT_FALSE(h.label->mask().isEmpty());
    EXPECT_TRUE(h.label->mask().intersected(h.label->rect()).isEmpty());
}

}  // namespace
}  // namespace movrand::dialogs
