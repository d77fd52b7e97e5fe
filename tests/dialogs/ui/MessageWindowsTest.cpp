// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QScrollBar>
#include <QTextLayout>

#include "GameGuard.h"
#include "TempDrive.h"
#include "dialogs/ui/MessageArea.h"
#include "dialogs/ui/PathBreaks.h"
#include "dialogs/ui/QtUi.h"
#include "dialogs/ui/SkinFace.h"
#include "dialogs/ui/frmMsgBoxControls.h"
#include "dialogs/ui/frmTeamFolderControls.h"
#include "dialogs/ui/frmTextControls.h"
#include "dialogs/ui/frmYesNoControls.h"
#include "folders/CarFolderSwap.h"
#include "platform/ErrorTrap.h"
#include "resources/StringTable.h"
#include "roster/CarNumbers.h"
#include "ui/ModalDriver.h"

namespace movrand::dialogs {
namespace {

namespace msgbox = frmMsgBoxControls;
namespace yesno = frmYesNoControls;
namespace team = frmTeamFolderControls;
namespace text = frmTextControls;

using test::Click;
using test::Control;
using test::PressKey;
using test::WhenModal;

struct Fixture {
    test::TempDrive drive{false};
    QtUi ui{drive.Pv};
};

// The text window starts with the text given and answers what was typed on Save, nothing on
// Escape.
TEST(MessageWindow, TheTextWindowAnswersOnlyOnSave) {
    Fixture f;
    WhenModal("frmText", [&](QWidget* w) {
        auto* box = Control<QLineEdit>(w, "txt", text::txt::kText);
        EXPECT_EQ(box->text(), "old name");
        box->setText("new name");
        w->grab().save(QString::fromStdString((f.drive.Root() / "text.png").string()));
        Click(Control(w, "img", text::img::kSave));
    });
    EXPECT_EQ(f.ui.AskText("The name of step 1:", "old name"), "new name");
    WhenModal("frmText", [&](QWidget* w) { PressKey(w, Qt::Key_Escape); });
    EXPECT_EQ(f.ui.AskText("The name of step 1:", "old name"), std::nullopt);
}

// A path in a message breaks its lines only after a separator or at a blank, never inside a
// name or after "Z:" alone, at any width of the window.
TEST(MessageWindow, PathsBreakOnlyAtSeparators) {
    const QString text = "Nothing to install in Z:\\home\\me\\GPL add-ons\\ferrari-312-classic\\a.";
    const QFontMetrics metrics(SkinFont(12));
    for (int width = metrics.horizontalAdvance("ferrari-312-classic\\") + 1; width < 400;
         width += 9) {
        QTextLayout layout(BreakableAtSeparators(text), SkinFont(12));
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine())
            line.setLineWidth(width);
        layout.endLayout();
        for (int i = 0; i + 1 < layout.lineCount(); ++i) {
            const QTextLine line = layout.lineAt(i);
            const QChar last = layout.text().at(line.textStart() + line.textLength() - 1);
            EXPECT_TRUE(last == ' ' || last == QChar(0x200B)) << width << " line " << i;
        }
    }
}

// The message window shows its text without the blanks around it on the skin and closes by its
// OK picture; the caller's hourglass gives way while a question is open.
TEST(MessageWindow, ClosesByItsPictureAndTheHourglassGivesWay) {
    Fixture f;
    auto opened = WhenModal("frmMsgBox", [&](QWidget* w) {
        EXPECT_EQ(Control<QLabel>(w, "lbl", msgbox::lbl::kMessage)->text(),
                  "Unable to find driver.ini.");
        Click(Control(w, "img", msgbox::img::kOk));
    });
    f.ui.ShowMessage("  Unable to find driver.ini.  ");
    EXPECT_TRUE(*opened);
    f.ui.SetBusy(true);
    bool arrow = false;
    WhenModal("frmYesNo", [&](QWidget* w) {
        arrow = QApplication::overrideCursor() == nullptr;
        Click(Control(w, "img", yesno::img::kNo));
    });
    EXPECT_FALSE(f.ui.AskYesNo({"Sure?", 0, 0, "", ""}));
    EXPECT_TRUE(arrow);
    EXPECT_NE(QApplication::overrideCursor(), nullptr);
    f.ui.SetBusy(false);
    // Enter answers Yes, unless the question has No for its default.
    for (const bool noByDefault : {false, true}) {
        WhenModal("frmYesNo", [&](QWidget* w) {
            PressKey(w->focusWidget() ? w->focusWidget() : w, Qt::Key_Return);
        });
        platform::Question question{"Start it again?", 0, 0, "", ""};
        question.NoByDefault = noByDefault;
        EXPECT_EQ(f.ui.AskYesNo(question), !noByDefault) << noByDefault;
    }
}

// The texts the program shows, the longest composed ones among them, each at the size its caller
// asks for: every line fits the label, whose bottom stays above the buttons.
TEST(MessageWindow, EveryTextFitsItsWindow) {
    test::TempDrive drive;
    std::string roster = drive.Read("C:\\sierra\\gpl\\driver.ini");
    roster.replace(roster.find("first_name = Jim"), 16, "first_name = Maximilian Alexander");
    roster.replace(roster.find("last_name = Hill"), 16, "last_name = Fitzgerald-Worthington");
    drive.Write("C:\\sierra\\gpl\\driver.ini", roster);
    drive.MakeWorkingCopy();
    AssignCarNumber(drive.Pv, drive.Ui, 12, "14");
    const std::string deep = "C:\\carfolders\\stored_cars_of_the_nineteen_sixty_seven_season";
    test::WriteCarFolder(drive.Native("C:\\carfolders\\classic"), "classic");
    drive.Write(deep + "\\cars67_previous_season_with_all_the_mods\\x.txt", "x");
    drive.Ui.Answers = {true, false};
    SwapCarFolder(drive.Pv, drive.Ui,
                  {"C:\\carfolders\\classic", deep, "cars67_previous_season_with_all_the_mods"});
    ASSERT_EQ(drive.Ui.Questions.size() + drive.Ui.Messages.size(), 3u) << drive.Ui.Transcript();

    std::vector<test::ScriptedUi::Shown> texts = {drive.Ui.Messages[0],
                                                  {"Please select the team.", 3600, 1785}};
    for (int id :
         {resources::kDriverIniNotFound, resources::kNoDriverIniTerminating, resources::kCarRemoved,
          resources::kAccessoryRemoved, resources::kAccessoryAdded, resources::kCarAdded})
        texts.push_back({resources::LoadResString(id)});
    std::vector<platform::Question> questions = drive.Ui.Questions;
    questions.push_back({resources::LoadResString(resources::kExitQuestion), 4100, 0, "", ""});
    Fixture f;
    int checked = 0;
    // Both windows show their text in a label of the same name.
    static_assert(msgbox::lbl::kMessage == yesno::lbl::kMessage);
    const auto check = [&](const std::string& text, int button) {
        return [&, text, button](QWidget* w) {
            auto* label = Control<QLabel>(w, "lbl", msgbox::lbl::kMessage);
            const QRect need = label->fontMetrics().boundingRect(
                QRect(0, 0, label->width(), 100000), Qt::TextWordWrap | Qt::TextWrapAnywhere,
                QString::fromStdString(text).replace("\r\n", "\n"));
            EXPECT_LE(need.width(), label->width()) << text;
            EXPECT_LE(need.height(), label->height()) << text;
            EXPECT_LT(label->geometry().bottom(), Control(w, "img", button)->y()) << text;
            // Screen readers name the window after the text's first line.
            const QString first = QString::fromStdString(text).split("\r\n").front().trimmed();
            EXPECT_EQ(w->accessibleName().toStdString(), first.toStdString());
            test::SaveScreenshot(w, QString("%1-%2").arg(w->objectName()).arg(++checked));
            Click(Control(w, "img", button));
        };
    };
    for (const auto& shown : texts) {
        WhenModal("frmMsgBox", check(shown.Text, msgbox::img::kOk));
        f.ui.ShowMessage(shown.Text, shown.Width, shown.Height);
    }
    for (const auto& question : questions) {
        WhenModal("frmYesNo", check(question.Message, yesno::img::kNo));
        f.ui.AskYesNo(question);
    }
    EXPECT_EQ(checked, static_cast<int>(texts.size() + questions.size()));
}

// Lists of files, short and long, at any size a caller asks for: the window widens for the files
// and stays within the screen's work area with its buttons in view, the list scrolls from the
// keyboard, the window is named after its first line and Escape answers No. Where the text goes
// on after the list (the question itself), that stays in view above the buttons while the list
// alone scrolls. The test runs again on a small screen at twice the scale.
TEST(MessageWindow, LongListsScrollInAWindowThatFitsTheScreen) {
    struct Row {
        bool question;
        int files, width, height;
        const char* after;
    };
    const char* ask = "Go ahead? What they hold now is kept in the history.";
    const char* told =
        "The record is C:\\sierra\\gpl\\movrand\\swap.journal; delete it to swap again.";
    const Row rows[] = {
        {false, 40, 0, 0, ""},          {true, 24, 0, 0, ask},          {true, 8, 0, 0, ask},
        {false, 8, 0, 0, ""},           {true, 500, 0, 0, ask},         {false, 500, 0, 0, told},
        {false, 500, 30000, 30000, ""}, {true, 500, 32767, 32767, ask},
    };
    Fixture f;
    for (const auto& [question, files, width, height, after] : rows) {
        const std::string lead = "These files were changed by hand:";
        std::string text = lead;
        for (int i = 0; i < files; ++i)
            text += "\r\nC:\\sierra\\gpl\\cars\\cars67\\lotus\\car" + std::to_string(i) + ".3do";
        const QString lastFile = QString::fromStdString(text.substr(text.rfind('\n') + 1));
        if (*after) text += std::string("\r\n\r\n") + after;
        const QString name = question ? "frmYesNo" : "frmMsgBox";
        const QString row = QString("%1 %2 files %3x%4%5")
                                .arg(name)
                                .arg(files)
                                .arg(width)
                                .arg(height)
                                .arg(*after ? " then text" : "");
        auto opened = WhenModal(name, [&](QWidget* w) {
            const QRect screen = w->screen()->availableGeometry();
            EXPECT_TRUE(screen.contains(w->frameGeometry())) << row.toStdString();
            EXPECT_EQ(w->accessibleName().toStdString(), lead) << row.toStdString();
            auto* label = Control<QLabel>(w, "lbl", msgbox::lbl::kMessage);
            auto* area = label->parentWidget()->parentWidget();
            auto* scroll = qobject_cast<QAbstractScrollArea*>(area);
            if (!scroll) {
                ADD_FAILURE() << "no scrolling place for the text " << row.toStdString();
                return w->close(), void();
            }
            const std::vector<int> buttons = question
                                                 ? std::vector{yesno::img::kYes, yesno::img::kNo}
                                                 : std::vector{msgbox::img::kOk};
            for (int button : buttons) {
                QWidget* b = Control(w, "img", button);
                EXPECT_TRUE(screen.contains(QRect(b->mapToGlobal(QPoint()), b->size())))
                    << row.toStdString();
                EXPECT_LT(area->geometry().bottom(), b->y()) << row.toStdString();
            }
            // Each file stays on one line.
            EXPECT_GT(scroll->viewport()->width(), label->fontMetrics().horizontalAdvance(lastFile))
                << row.toStdString();
            test::SaveScreenshot(w, QString("long-%1-x%2").arg(row).arg(w->devicePixelRatio()));
            // A text longer than its place scrolls from the keyboard; 500 files never fit.
            const bool scrolls = label->height() > scroll->viewport()->height();
            EXPECT_TRUE(scrolls || files < 500) << row.toStdString();
            if (scrolls) {
                // The list alone scrolls: the line that leads into it stays above it and the text
                // after it below it, whole, above the buttons.
                EXPECT_TRUE(label->text().startsWith("C:\\")) << row.toStdString();
                auto* above = Control<QLabel>(w, "lbl", yesno::lbl::kAboveList);
                EXPECT_TRUE(above->isVisible() && above->text().toStdString() == lead &&
                            above->geometry().bottom() < area->y())
                    << row.toStdString();
                auto* below = Control<QLabel>(w, "lbl", yesno::lbl::kBelowList);
                EXPECT_EQ(below->isVisible(), *after != 0) << row.toStdString();
                if (*after) {
                    EXPECT_EQ(below->text().toStdString(), after);
                    EXPECT_GT(below->y(), area->geometry().bottom()) << row.toStdString();
                    const QRect need = below->fontMetrics().boundingRect(
                        QRect(0, 0, below->width(), 100000),
                        Qt::TextWordWrap | Qt::TextWrapAnywhere, below->text());
                    EXPECT_LE(need.height(), below->height()) << row.toStdString();
                    for (int button : buttons)
                        EXPECT_LT(below->geometry().bottom(), Control(w, "img", button)->y())
                            << row.toStdString();
                }
                EXPECT_TRUE(area->focusPolicy() & Qt::TabFocus) << row.toStdString();
                area->setFocus();
                test::PressKey(area, Qt::Key_PageDown);
                EXPECT_GT(scroll->verticalScrollBar()->value(), 0) << row.toStdString();
            }
            test::PressKey(area, Qt::Key_Escape);
            EXPECT_FALSE(w->isVisible()) << "Escape left open " << row.toStdString();
            w->close();
        });
        if (question)
            EXPECT_FALSE(f.ui.AskYesNo({text, width, height, "", ""})) << row.toStdString();
        else
            f.ui.ShowMessage(text, width, height);
        EXPECT_TRUE(*opened) << row.toStdString();
    }
}

// A list is the lines after a line that ends with ":", up to a blank line; two lists and what
// lies between them scroll together, and a text with a path on a line of its own has none.
TEST(MessageWindow, AListIsToldApartByTheLineThatLeadsIntoIt) {
    const struct {
        QString text, above, list, below;
    } rows[] = {
        {"Look at these folders:\r\nC:\\a\r\nC:\\b\r\n\r\nThe record is C:\\j; delete it.",
         "Look at these folders:", "C:\\a\r\nC:\\b", "The record is C:\\j; delete it."},
        {"Forget 2 steps?\r\n\r\nOnly copy:\r\n  step 1: C:\\a\r\n\r\nNamed:\r\n  step 2 \"x\"",
         "Forget 2 steps?\r\n\r\nOnly copy:", "  step 1: C:\\a\r\n\r\nNamed:\r\n  step 2 \"x\"",
         ""},
        {"The folder \r\nC:\\x\r\n already exists.\r\n\r\nDo you wish to continue?",
         "The folder \r\nC:\\x\r\n already exists.\r\n\r\nDo you wish to continue?", "", ""},
        {"One file:\r\nC:\\a\r\n\r\nGo ahead?", "One file:\r\nC:\\a\r\n\r\nGo ahead?", "", ""},
    };
    for (const auto& row : rows) {
        const MessageParts parts = SplitAtList(row.text);
        EXPECT_EQ(parts.Above, row.above) << row.text.toStdString();
        EXPECT_EQ(parts.List, row.list) << row.text.toStdString();
        EXPECT_EQ(parts.Below, row.below) << row.text.toStdString();
    }
}

// The team window gives the chosen team, nothing when closed by the window system, and keeps
// its own OK button in view while it asks for a choice.
TEST(TeamWindow, ReturnsTheChoiceAndAsksForOneClearOfItsOwnButton) {
    Fixture f;
    QRect messagePlace, okPlace;
    auto opened = WhenModal("frmTeamFolder", [&](QWidget* chooser) {
        auto* ok = Control(chooser, "img", team::img::kOk);
        okPlace = QRect(ok->mapToGlobal(QPoint(0, 0)), ok->size());
        WhenModal("frmMsgBox", [&](QWidget* box) {
            EXPECT_EQ(Control<QLabel>(box, "lbl", msgbox::lbl::kMessage)->text(),
                      "Please select the team.");
            messagePlace = box->geometry();
            Click(Control(box, "img", msgbox::img::kOk));
        });
        Click(ok);  // returns once the message is closed
        Control<QComboBox>(chooser, "cbo", team::cbo::kTeams)->setCurrentIndex(2);
        test::SaveScreenshot(chooser, "frmTeamFolder");
        Click(ok);
    });
    EXPECT_EQ(f.ui.SelectTeam(), "Cooper");
    EXPECT_TRUE(*opened && !messagePlace.isEmpty() && !messagePlace.intersects(okPlace));

    opened = WhenModal("frmTeamFolder", [&](QWidget* w) {
        Control<QComboBox>(w, "cbo", team::cbo::kTeams)->setCurrentIndex(0);
        w->close();
    });
    EXPECT_EQ(f.ui.SelectTeam(), "");
}

TEST(ErrorTraps, EachFormShowsItsIconTitleAndTextWithOkOnlyInABoxWideEnoughForItsTitle) {
    Fixture f;
    using platform::TrapForm;
    const std::tuple<TrapForm, QMessageBox::Icon, QString, QString> cases[] = {
        {TrapForm::Common, QMessageBox::NoIcon, "MovrandError", "53\nFile not found"},
        {TrapForm::Information, QMessageBox::Information, "Movrand", "53\nFile not found"},
        {TrapForm::Critical, QMessageBox::Critical, "Movrand", "53 File not found"},
    };
    for (const auto& [form, icon, title, text] : cases) {
        auto opened = test::WhenMessageBox([&](QMessageBox* box) {
            EXPECT_EQ(box->icon(), icon);
            EXPECT_EQ(box->windowTitle(), title);
            EXPECT_EQ(box->text(), text);
            EXPECT_EQ(box->buttons().size(), 1);
            // Room for the title beside the title bar's icon and three buttons.
            EXPECT_GE(box->width(), box->fontMetrics().horizontalAdvance(title) + 120);
            box->button(QMessageBox::Ok)->click();
        });
        EXPECT_FALSE(platform::RunTrapped(
            f.ui, form, "Movrand", [] { throw platform::RuntimeError(platform::kFileNotFound); }));
        EXPECT_TRUE(*opened) << title.toStdString();
    }
}

}  // namespace
}  // namespace movrand::dialogs
