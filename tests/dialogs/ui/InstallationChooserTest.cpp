// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QListWidget>
#include <QScrollBar>

#include "TempDrive.h"
#include "dialogs/ui/QtUi.h"
#include "dialogs/ui/frmInstallationsControls.h"
#include "ui/ModalDriver.h"

namespace movrand::dialogs {
namespace {

namespace chooser = frmInstallationsControls;

using test::Click;
using test::Control;
using test::PressKey;
using test::WhenModal;

// Worked by mouse or keyboard alone: Up/Down move, Enter answers OK (Cancel when it has the
// focus after Tab), Escape cancels; each line shows the prefix and the Windows path.
TEST(InstallationChooser, ChosenByMouseOrKeyboard) {
    test::TempDrive drive{false};
    QtUi ui{drive.Pv};
    const std::vector<platform::InstallationLine> lines = {
        {"/home/me/.wine", "C:\\sierra\\gpl\\driver.ini"},
        {"/home/me/Games/gpl", "C:\\GPL\\driver.ini"},
        {"/home/me/.local/share/Steam/steamapps/compatdata/2222220/pfx",
         "C:\\Program Files (x86)\\Steam\\steamapps\\common\\Grand Prix Legends 1967\\"
         "driver.ini"}};
    struct Row {
        const char* name;
        std::function<void(QWidget*)> answer;
        int expected;
    };
    const auto list = [](QWidget* w) {
        return Control<QListWidget>(w, "lst", chooser::lst::kInstallations);
    };
    const std::vector<Row> rows = {
        {"Down, Enter",
         [&](QWidget* w) {
             EXPECT_EQ(list(w)->item(1)->text(), "/home/me/Games/gpl\nC:\\GPL\\driver.ini");
             // Each path whole, broken only after a separator, every line within the list.
             const QString whole = QString::fromStdString(lines[2].Prefix + lines[2].DriverIniFile);
             EXPECT_EQ(list(w)->item(2)->text().remove('\n'), whole);
             for (const QString& line : list(w)->item(2)->text().split('\n')) {
                 EXPECT_TRUE(line.endsWith('/') || line.endsWith('\\') || whole.endsWith(line) ||
                             QString::fromStdString(lines[2].Prefix).endsWith(line))
                     << line.toStdString();
                 EXPECT_LE(list(w)->fontMetrics().horizontalAdvance(line),
                           list(w)->viewport()->width());
             }
             EXPECT_FALSE(list(w)->horizontalScrollBar()->isVisible());
             test::SaveScreenshot(w, "installation-chooser");
             PressKey(list(w), Qt::Key_Down);
             PressKey(list(w), Qt::Key_Return);
         },
         1},
        {"Down, Up, click OK",
         [&](QWidget* w) {
             PressKey(list(w), Qt::Key_Down);
             PressKey(list(w), Qt::Key_Up);
             Click(Control(w, "img", chooser::img::kOk));
         },
         0},
        {"Escape", [&](QWidget* w) { PressKey(list(w), Qt::Key_Escape); },
         platform::kChoiceCancelled},
        {"Tab, Tab, Enter",
         [&](QWidget* w) {
             PressKey(list(w), Qt::Key_Tab);
             PressKey(w->focusWidget(), Qt::Key_Tab);
             EXPECT_EQ(w->focusWidget(), Control(w, "img", chooser::img::kCancel));
             PressKey(w->focusWidget(), Qt::Key_Return);
         },
         platform::kChoiceCancelled},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        auto opened = WhenModal("frmInstallations", row.answer);
        EXPECT_EQ(ui.ChooseInstallation(lines), row.expected);
        EXPECT_TRUE(*opened);
    }
}

}  // namespace
}  // namespace movrand::dialogs
