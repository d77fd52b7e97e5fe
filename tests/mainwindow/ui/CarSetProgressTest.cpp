// SPDX-License-Identifier: GPL-3.0-or-later
// Long car set work on the "Car Folders" page: the progress window tells what it does, the page
// takes no click meanwhile, and what the window says at the end is true.
#include <gtest/gtest.h>

#include <QTabWidget>

#include "FileSnapshot.h"
#include "ProgressWatch.h"
#include "WindowFixture.h"
#include "carsets/CarSetWork.h"

namespace movrand::test {
namespace {

class CarSetProgressTest : public WindowFixture {
  protected:
    // Runs `button` with a click on `clickedMeanwhile` given while it works; what the progress
    // window said each time it was painted.
    QStringList Shown(int button, int clickedMeanwhile) {
        ProgressWatch painted;
        painted.shotName = "frmProgress-car-set";
        for (int index :
             {cmd::kExportCarSet, cmd::kCompareCarSet, cmd::kMakeCarSetLive, cmd::kSaveCarFolder})
            painted.buttons.push_back(Find("cmd", index));
        painted.heldClick = Find("cmd", clickedMeanwhile);
        QWidget* pressed = Find("cmd", button);
        window->activateWindow();
        pressed->setFocus();
        qApp->installEventFilter(&painted);
        Click(pressed);
        qApp->removeEventFilter(&painted);
        for (QWidget* w : QApplication::topLevelWidgets())
            EXPECT_FALSE(w->objectName() == "frmProgress" && w->isVisible());
        // The page is usable again, the focus where it was (a button the work left disabled
        // cannot have it).
        EXPECT_TRUE(Find("cmd", cmd::kCompareCarSet)->isEnabled());
        EXPECT_TRUE(!pressed->isEnabled() || window->focusWidget() == pressed)
            << Text(pressed->objectName());
        return painted.said;
    }
    static bool Told(const QStringList& said, const QString& doing) {
        return std::any_of(said.begin(), said.end(),
                           [&](const QString& line) { return line.startsWith(doing); });
    }
};

// A set of the live folder, which then changed by hand: the comparison and the making live show
// their progress, a click given meanwhile on the page's other button starts nothing once the work
// is over, and the message after the making live names folders that are there.
TEST_F(CarSetProgressTest, ComparingAndMakingLiveShowWhatTheyDoAndTakeNoStrayClick) {
    const std::string live = "C:\\sierra\\gpl\\cars\\cars67";
    const auto before = TreeOf(drive.Native(live));
    ASSERT_TRUE(carsets::ExportCarSet(drive.Pv, drive.Ui, "C:\\league.carset", "", "League"));
    std::filesystem::copy(drive.Native(live), drive.Native("C:\\sierra\\gpl\\cars\\kept"),
                          std::filesystem::copy_options::recursive);
    drive.Write(live + "\\ferrari\\ferrari.dat", "changed");
    const auto changed = TreeOf(drive.Native(live));
    const std::string code =
        carsets::SetOfFolder(drive.Pv, drive.Ui, "C:\\sierra\\gpl\\cars\\kept")->Code;
    AnsweringUi ui(drive.Pv);
    ui.SetProgressDelay(std::chrono::milliseconds(0));
    ui.files = {"C:\\league.carset"};
    Open(&ui);
    Find<QTabWidget>("tabMovrand", tabMovrand::kPages)->setCurrentIndex(tab::kCarFolders);

    // "Make It Live", enabled by the comparison, is not made to act by a click given before.
    const QStringList compared = Shown(cmd::kCompareCarSet, cmd::kMakeCarSetLive);
    QCoreApplication::processEvents();
    EXPECT_TRUE(Told(compared, "Comparing files: ")) << Text(compared.join("|"));
    EXPECT_TRUE(Told(compared, "Looking for the car set's files: ")) << Text(compared.join("|"));
    EXPECT_TRUE(Find("cmd", cmd::kMakeCarSetLive)->isEnabled());
    EXPECT_EQ(TreeOf(drive.Native(live)), changed);
    EXPECT_TRUE(ui.messages.empty()) << ui.messages.front();

    // "Compare with Car Set..." clicked while the set is made live opens no file picker after.
    const QStringList made = Shown(cmd::kMakeCarSetLive, cmd::kCompareCarSet);
    QCoreApplication::processEvents();
    EXPECT_TRUE(Told(made, "Building the car folder: ")) << Text(made.join("|"));
    EXPECT_EQ(ui.filePickers, 1u);
    EXPECT_EQ(TreeOf(drive.Native(live)), before);
    const std::string kept = "C:\\sierra\\gpl\\cars\\cars67_before_League";
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], "The car set League (" + code + ") is the live car folder " + live +
                                  " now. The old car folder is kept as " + kept + ".");
    EXPECT_EQ(TreeOf(drive.Native(kept)), changed);
    EXPECT_FALSE(std::filesystem::exists(drive.Native("C:\\sierra\\gpl\\cars\\League")));
}

}  // namespace
}  // namespace movrand::test
