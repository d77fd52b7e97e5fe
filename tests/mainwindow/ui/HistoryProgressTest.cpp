// SPDX-License-Identifier: GPL-3.0-or-later
// Long work on the "History" page shows the progress window while the main window keeps painting.
#include <gtest/gtest.h>

#include <QTabWidget>

#include "ProgressWatch.h"
#include "WindowFixture.h"
#include "history/HistoryStep.h"
#include "platform/FaultPlan.h"

namespace movrand::test {
namespace {

class HistoryProgressTest : public WindowFixture {
  protected:
    static constexpr int kFiles = 600;

    // One step that added many small files to the installation.
    void AddManyFiles() {
        history::HistoryStep step(drive.Pv, "Added many files");
        platform::FileSystem fs = drive.Pv.Files();
        fs.CreateFolder("C:\\sierra\\gpl\\many");
        for (int i = 0; i < kFiles; ++i)
            fs.WriteWholeFile("C:\\sierra\\gpl\\many\\f" + std::to_string(i) + ".txt", "x");
        ASSERT_EQ(step.Commit(), 1);
    }

    // Runs `button` and gives what the progress window said each time it was painted.
    QStringList Shown(int button, int clickedMeanwhile = -1) {
        ProgressWatch painted;
        painted.shotName = "frmProgress-history";
        painted.shotAt = 3;
        for (int index : {cmd::kUndoLast, cmd::kRestoreToHere, cmd::kNameStep,
                          cmd::kCheckForChanges, cmd::kForgetOlderSteps, cmd::kHistoryLimit})
            painted.buttons.push_back(Find("cmd", index));
        if (clickedMeanwhile >= 0) painted.heldClick = Find("cmd", clickedMeanwhile);
        qApp->installEventFilter(&painted);
        Click(Find("cmd", button));
        qApp->removeEventFilter(&painted);
        for (QWidget* w : QApplication::topLevelWidgets())
            EXPECT_FALSE(w->objectName() == "frmProgress" && w->isVisible());
        EXPECT_TRUE(Find("cmd", cmd::kCheckForChanges)->isEnabled());
        return painted.said;
    }
};

// The window tells what the work does, file by file, and closes when it is done; the undo's
// deletions are each a slow disk's write, so the window paints again as it goes on.
TEST_F(HistoryProgressTest, CheckAndUndoOfManyFilesShowWhatTheyDo) {
    AddManyFiles();
    AnsweringUi ui(drive.Pv);
    ui.SetProgressDelay(std::chrono::milliseconds(0));
    Open(&ui);
    Find<QTabWidget>("tabMovrand", tabMovrand::kPages)->setCurrentIndex(tab::kHistory);
    const struct {
        int Button;
        QString Doing;
    } rows[] = {{cmd::kCheckForChanges, "Checking files: "}, {cmd::kUndoLast, "Restoring files: "}};
    for (const auto& row : rows) {
        drive.Pv.Env.Faults = std::make_shared<platform::FaultPlan>();
        drive.Pv.Env.Faults->DelayEach(std::chrono::milliseconds(row.Button == cmd::kUndoLast));
        // "Undo Last" clicked while the check runs does not undo once it is over.
        const QStringList said =
            Shown(row.Button, row.Button == cmd::kCheckForChanges ? cmd::kUndoLast : -1);
        QCoreApplication::processEvents();
        EXPECT_EQ(std::filesystem::exists(drive.Native("C:\\sierra\\gpl\\many")),
                  row.Button == cmd::kCheckForChanges);
        ASSERT_FALSE(said.isEmpty()) << Text(row.Doing);
        EXPECT_TRUE(said.back().startsWith(row.Doing)) << Text(said.back());
        // The slow undo paints the window again and again as it goes on.
        EXPECT_TRUE(row.Button != cmd::kUndoLast || said.size() > 3) << said.size();
    }
    EXPECT_FALSE(std::filesystem::exists(drive.Native("C:\\sierra\\gpl\\many")));
}

}  // namespace
}  // namespace movrand::test
