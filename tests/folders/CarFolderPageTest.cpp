#include <gtest/gtest.h>

#include "folders/CarFolderPage.h"

namespace movrand::test {
namespace {

TEST(CarFolderPage, TickingEmptiesTheNameAndClearingDoesNotBringItBack) {
    CarFolderPage page;
    page.NewName = "cars67_old";
    page.DeleteCurrent = true;
    DeleteWarningView view = ShowDeleteWarning(page);
    EXPECT_EQ(page.NewName, "");
    EXPECT_TRUE(view.WarningShown);
    EXPECT_FALSE(view.DestinationEnabled);
    EXPECT_EQ(view.HeadingLeft, 330);
    EXPECT_EQ(view.HeadingColour, 0x000000FFu);
    EXPECT_EQ(view.TickBoxColour, 0x000000FFu);
    EXPECT_EQ(view.HeadingCaption, "*** CURRENT CAR FOLDER WILL BE DELETED! ***");

    page.DeleteCurrent = false;
    view = ShowDeleteWarning(page);
    EXPECT_EQ(page.NewName, "");
    EXPECT_FALSE(view.WarningShown);
    EXPECT_TRUE(view.DestinationEnabled);
    EXPECT_EQ(view.HeadingLeft, 120);
    EXPECT_EQ(view.HeadingColour, 0x80000012u);
    EXPECT_EQ(view.TickBoxColour, 0x80000012u);
    EXPECT_EQ(view.HeadingCaption, "Destination for Current GPL Car Folder");
}

TEST(CarFolderPage, NameBoxTakesLettersDigitsUnderscoreAndBackspaceOnly) {
    std::string accepted;
    for (int key = 0; key < 256; ++key)
        if (NameBoxAccepts(key)) accepted += static_cast<char>(key);
    EXPECT_EQ(accepted, "\b0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz");
}

}  // namespace
}  // namespace movrand::test
