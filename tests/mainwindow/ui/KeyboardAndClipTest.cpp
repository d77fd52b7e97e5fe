// SPDX-License-Identifier: GPL-3.0-or-later
// Every window by keyboard alone, styles that come back, nothing cut (ctest: scale 1 and 2).
#include <qpa/qwindowsysteminterface.h>
#include <QAccessible>
#include <QCheckBox>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSet>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabWidget>
#include <QThread>
#include <QTimer>
#include <cmath>

#include "DemoAddOns.h"
#include "Samples.h"
#include "WindowFixture.h"
#include "dialogs/ui/FocusMark.h"
#include "dialogs/ui/ListEntryDelegate.h"
#include "dialogs/ui/QtUi.h"
#include "dialogs/ui/frmFile.h"
#include "dialogs/ui/frmFileControls.h"
#include "dialogs/ui/frmInstallations.h"
#include "dialogs/ui/frmMsgBox.h"
#include "dialogs/ui/frmTeamFolder.h"
#include "dialogs/ui/frmTeamFolderControls.h"
#include "dialogs/ui/frmYesNo.h"
#include "links/ui/frmDownload.h"
#include "links/ui/frmURL.h"

namespace movrand::test {
namespace {

// Window, control focused first (or none), keys pressed where the focus is, answer read.
using KeyRow = std::tuple<const char*, QString, std::vector<int>, std::string>;

TEST(DialogKeys, EnterEscapeTabAndSpaceAnswerEveryWindow) {
    TempDrive drive;
    dialogs::QtUi ui(drive.Pv);
    const std::map<std::string, std::function<std::string()>> open = {
        {"frmMsgBox", [&] { return ui.ShowMessage("Done."), std::string("closed"); }},
        {"frmYesNo",
         [&] {
             return std::string(ui.AskYesNo({"Sure?", 0, 0, "", ""}) ? "Y" : "N");
         }},
        {"frmTeamFolder", [&] { return ui.SelectTeam(); }},
        {"frmFile", [&] { return ui.SelectFile("C:\\sierra\\gpl", "*.ini", " Pick"); }},
        {"frmInstallations",
         [&] {
             return std::to_string(ui.ChooseInstallation({{"/a", "C:\\a"}, {"/b", "C:\\b"}}));
         }},
        {"frmURL", [&] {
             drive.Pv.WebsiteURL = "http://old";
             links::ShowURLDialog(drive.Pv, ui, nullptr);
             return drive.Pv.WebsiteURL;
         }}};
    const int tab = Qt::Key_Tab, enter = Qt::Key_Return, esc = Qt::Key_Escape;
    const QString teams = Named("cbo", dialogs::frmTeamFolderControls::cbo::kTeams);
    const QString files = Named("fle", dialogs::frmFileControls::fle::kFiles);
    const KeyRow rows[] = {
        {"frmMsgBox", {}, {esc}, "closed"},
        {"frmYesNo", {}, {Qt::Key_Enter}, "Y"},
        {"frmYesNo", {}, {esc}, "N"},
        {"frmYesNo", {}, {tab, Qt::Key_Space}, "N"},
        {"frmTeamFolder", teams, {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, enter}, "Cooper"},
        {"frmTeamFolder", teams, {tab, esc}, ""},
        {"frmFile", files, {Qt::Key_Home, enter}, "C:\\sierra\\gpl\\driver.ini"},
        {"frmFile", files, {tab, esc}, ""},
        {"frmFile", files, {Qt::Key_Space, tab, enter}, "C:\\sierra\\gpl\\driver.ini"},
        {"frmInstallations", {}, {Qt::Key_Down, enter}, "1"},
        {"frmInstallations", {}, {tab, Qt::Key_Space}, "0"},
        {"frmInstallations", {}, {esc}, "-1"},
        {"frmURL", {}, {Qt::Key_End, Qt::Key_Backspace, esc}, "http://old"},
        {"frmURL", {}, {Qt::Key_End, Qt::Key_Backspace, tab, Qt::Key_Space}, "http://ol"},
        {"frmURL", {}, {Qt::Key_End, Qt::Key_Backspace, enter}, "http://ol"},
    };
    auto forced = std::make_shared<bool>(false);
    for (const auto& [name, first, keys, answer] : rows) {
        auto done = WhenModal(
            [&](QWidget* w) { return w->objectName() == name; },
            [&](QWidget* w) {
                EXPECT_TRUE(w->screen()->availableGeometry().contains(w->frameGeometry()));
                // A screen reader announces the window by its caption or its first line.
                EXPECT_NE(QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name), "")
                    << name;
                for (int i = 0; i < 400 && !w->isActiveWindow(); ++i)
                    QThread::msleep(5), qApp->processEvents();
                const auto marks = [w] {
                    return std::ranges::count_if(w->findChildren<dialogs::FocusMark*>(),
                                                 &QWidget::isVisible);
                };
                EXPECT_EQ(marks(), 1) << name << " opens with no focus mark";
                if (!first.isEmpty()) Control(w, first)->setFocus();
                for (int key : keys) {
                    PressKey(w->focusWidget() ? w->focusWidget() : w, key,
                             key == Qt::Key_Space ? QStringLiteral(" ") : QString());
                    EXPECT_TRUE(key != tab || marks() == 1) << name;
                }
                QTimer::singleShot(500, w, [w, forced] { *forced = w->isVisible(), w->close(); });
            },
            2000);
        *forced = false;
        EXPECT_EQ(open.at(name)(), answer) << name << " " << keys.size() << " keys";
        EXPECT_TRUE(*done);
        EXPECT_FALSE(*forced) << name << ": the keys did not close it";
    }
}

// The contrast of two colours as WCAG 2 defines it, from 1 (none) to 21.
double Contrast(QRgb a, QRgb b) {
    const auto luminance = [](QRgb c) {
        const auto channel = [](int v) {
            const double x = v / 255.0;
            return x <= 0.04045 ? x / 12.92 : std::pow((x + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(qRed(c)) + 0.7152 * channel(qGreen(c)) + 0.0722 * channel(qBlue(c));
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Each focus mark of `window` against the pixels beside it, outside and inside, on every side,
// and each text against its ground, all read from the window's picture.
void ExpectMarksAndTextsStandOut(QWidget* window) {
    window->show();
    window->activateWindow();
    for (int i = 0; i < 400 && !window->isActiveWindow(); ++i)
        QThread::msleep(5), qApp->processEvents();
    int marks = 0;
    for (QWidget* control : window->findChildren<QWidget*>()) {
        if (!control->property("focusMarked").toBool() || !control->isVisibleTo(window) ||
            !control->isEnabled())
            continue;
        control->setFocus(Qt::TabFocusReason);
        qApp->processEvents();
        QWidget* mark = nullptr;
        for (auto* m : window->findChildren<dialogs::FocusMark*>())
            if (m->isVisible()) mark = m;
        ASSERT_NE(mark, nullptr) << Text(control->objectName());
        // The ring lies inside the frame around it, clear of its lines.
        const auto* frame = qobject_cast<QFrame*>(mark->parentWidget());
        EXPECT_TRUE(!frame || frame->contentsRect().contains(mark->geometry()))
            << Text(control->objectName());
        const QImage image = window->grab().toImage();
        const qreal r = image.devicePixelRatio();
        const QRect g(mark->mapTo(window, QPoint()), mark->size());
        // What of the ring's surroundings is on the screen (not scrolled out of the view).
        const QRegion clip = mark->parentWidget()->visibleRegion().translated(
            mark->parentWidget()->mapTo(window, QPoint()));
        for (const auto& [dx, dy] : {std::pair(0, -1), {0, 1}, {-1, 0}, {1, 0}}) {
            const QPointF edge(dx ? (dx < 0 ? g.left() : g.left() + g.width()) : g.center().x(),
                               dy ? (dy < 0 ? g.top() : g.top() + g.height()) : g.center().y());
            const auto at = [&](double in) {
                return QPoint(int((edge.x() - dx * in) * r), int((edge.y() - dy * in) * r));
            };
            // The ring and its halo, two colours far apart: whatever lies outside stands
            // apart from one of them; inside lies the ground the ring stands out from.
            const int band = dialogs::FocusMark::kWidth, halo = dialogs::FocusMark::kHalo;
            const QRgb ring = image.pixel(at(halo + 1)), rim = image.pixel(at(0.5));
            const QPoint outside = at(-0.5),
                         inside = at(halo + band + dialogs::FocusMark::kGap - 0.5);
            if (!clip.contains(outside / r) || !clip.contains(inside / r)) continue;
            ++marks;
            EXPECT_GE(Contrast(ring, rim), 9.0);
            EXPECT_GE(
                std::max(Contrast(ring, image.pixel(outside)), Contrast(rim, image.pixel(outside))),
                3.0)
                << Text(window->objectName() + " " + control->objectName()) << " scale " << r;
            EXPECT_GE(Contrast(ring, image.pixel(inside)), 3.0)
                << Text(window->objectName() + " " + control->objectName()) << " scale " << r;
        }
    }
    EXPECT_GT(marks, 0) << Text(window->objectName());
    const QImage image = window->grab().toImage();
    for (QWidget* label : window->findChildren<QWidget*>()) {
        // A label's whole place; of a tick box, the text beside the box.
        QRect place = label->rect();
        QString text;
        if (auto* l = qobject_cast<QLabel*>(label)) text = l->text();
        if (auto* tick = qobject_cast<QCheckBox*>(label)) {
            QStyleOptionButton option;
            option.initFrom(tick);
            option.text = text = tick->text();
            place = tick->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, tick);
        }
        if (text.trimmed().isEmpty() || !label->isVisibleTo(window)) continue;
        const QRect area((label->mapTo(window, place.topLeft())) * image.devicePixelRatio(),
                         place.size() * image.devicePixelRatio());
        QRgb lightest = qRgb(0, 0, 0), darkest = qRgb(255, 255, 255);
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) {
                if (!image.rect().contains(x, y)) continue;
                const QRgb c = image.pixel(x, y);
                if (qGray(c) > qGray(lightest)) lightest = c;
                if (qGray(c) < qGray(darkest)) darkest = c;
            }
        EXPECT_GE(Contrast(lightest, darkest), 4.5)
            << Text(window->objectName() + " " + label->objectName() + " " + text);
    }
}

TEST(DialogKeys, FocusMarksAndTextsStandOutFromTheSkin) {
    TempDrive drive;
    dialogs::QtUi ui(drive.Pv);
    dialogs::frmMsgBox message(drive.Pv.Env.Rnd, nullptr);
    message.SetMessage("Nothing to install in Z:\\home\\player\\addons\\an-add-on-folder.");
    message.Load();
    dialogs::frmYesNo question(drive.Pv.Env.Rnd, nullptr);
    question.SetMessage("Sure?");
    question.Load();
    dialogs::frmTeamFolder team(drive.Pv, ui);
    team.Load();
    dialogs::frmFile file(drive.Pv, ui);
    file.SetPath("C:\\sierra\\gpl");
    file.Load();
    dialogs::frmInstallations chooser(drive.Pv.Env.Rnd);
    chooser.Load({{"/home/me/.wine", "C:\\sierra\\gpl\\driver.ini"}});
    links::frmURL url(drive.Pv, ui);
    url.Form_Load();
    links::frmDownload download(drive.Pv.Env.Rnd, "pack.zip", nullptr);
    for (QWidget* w : std::initializer_list<QWidget*>{&message, &question, &team, &file, &chooser,
                                                      &url, &download}) {
        ExpectMarksAndTextsStandOut(w);
        SaveScreenshot(w, QString("%1-focus-x%2").arg(w->objectName()).arg(w->devicePixelRatio()));
        w->hide();
    }
}

class KeyboardAndClip : public WindowFixture {
  protected:
    QTabWidget* Tabs() { return Find<QTabWidget>("tabMovrand", tabMovrand::kPages); }
    QStringList Shown(bool stops) {
        QStringList shown;
        for (QWidget* w = Tabs()->nextInFocusChain(); w != Tabs(); w = w->nextInFocusChain())
            if (!w->objectName().isEmpty() && w->property("controlKind").isValid() &&
                w->isVisibleTo(window.get()) && (!stops || (w->isEnabled() && w->focusPolicy())))
                shown << w->objectName();
        return shown;
    }
    // Each text fits its room, or is cut with an ellipsis, or has the whole in its tooltip.
    static void Whole(QWidget* w, const QString& text, int need, int room, const QString& tip) {
        EXPECT_TRUE(need <= room || tip.contains(text) || (text.contains(u'…') && !tip.isEmpty()))
            << Text(w->objectName() + ": " + text) << " needs " << need << " has " << room;
    }
    void ExpectNothingCut() {
        for (const QString& name : Shown(false)) {
            QWidget* w = Find(qPrintable(name));
            if (const QString text = w->property("text").toString(); !text.isEmpty())
                Whole(w, text, w->sizeHint().width(), w->width(), w->toolTip());
            if (auto* c = qobject_cast<QComboBox*>(w); c && c->lineEdit())
                for (int i = 0; i < c->count(); ++i)
                    Whole(w, c->itemText(i), c->fontMetrics().horizontalAdvance(c->itemText(i)),
                          c->lineEdit()->width() - 4, "");
            if (auto* list = qobject_cast<QListWidget*>(w))
                for (QListWidgetItem* item : list->findItems("*", Qt::MatchWildcard))
                    Whole(w, item->text(), list->visualItemRect(item).width(),
                          list->viewport()->width(), item->toolTip());
        }
    }
};

TEST_F(KeyboardAndClip, TabFollowsTheReadingOrderEnterPressesAndStylesComeBack) {
    Open();
    // Tab reaches every control of the page that takes the focus, once, in reading order: each
    // stop lies further down than the one before, or in the same row further right. Controls in
    // a frame are read where the frame stands.
    const auto expectReadingOrder = [&](const QStringList& stops) {
        QStringList takers;
        for (QWidget* w : Tabs()->currentWidget()->findChildren<QWidget*>())
            if (!w->objectName().isEmpty() && w->property("controlKind").isValid() &&
                w->isVisibleTo(window.get()) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus))
                takers << w->objectName();
        EXPECT_EQ(QSet<QString>(stops.begin(), stops.end()),
                  QSet<QString>(takers.begin(), takers.end()));
        EXPECT_EQ(stops.size(), takers.size());
        for (qsizetype i = 1; i < stops.size(); ++i) {
            QWidget* a = Find(qPrintable(stops[i - 1]));
            QWidget* b = Find(qPrintable(stops[i]));
            while (!a->parentWidget()->isAncestorOf(b)) a = a->parentWidget();
            while (b->parentWidget() != a->parentWidget()) b = b->parentWidget();
            const QRect ra = a->geometry(), rb = b->geometry();
            const bool overlap = rb.top() < ra.bottom() && ra.top() < rb.bottom();
            EXPECT_TRUE(rb.top() > ra.top() || (overlap && rb.left() > ra.left()))
                << Text(stops[i - 1] + " then " + stops[i]);
        }
    };
    for (int page = tab::kHistory; page >= 0; --page) {
        Tabs()->setCurrentIndex(page);
        expectReadingOrder(Shown(true));
    }
    EXPECT_FALSE(Shown(true).contains(Named("lbl", lbl::kMovrandShade)));
    EXPECT_EQ(Find("scroller")->focusPolicy(), Qt::NoFocus);
    auto about = WhenModal("frmAbout", [](QWidget* w) { PressKey(w, Qt::Key_Escape); });
    PressKey(Find("lbl", lbl::kMovrand), Qt::Key_Space);
    EXPECT_TRUE(*about);
    PressKey(Find("cmd", cmd::kRemoveMode), Qt::Key_Return);
    expectReadingOrder(Shown(true));
}

TEST_F(KeyboardAndClip, NothingCutAndTheWindowFitsAtEveryScale) {
    const std::string deep =
        "C:\\Games\\Grand Prix Legends installations\\the 1967 season with "
        "every historic track\\a copy for the online league races\\gpl\\";
    MakeOtherInstallation(drive.Native(deep));
    drive.Pv.GPLPath = deep;
    demo::MakeDemoAddOns(drive.DriveC() / "addons");
    Open();
    Find<dialogs::FolderListBox>("dir", dir::kAddOnFolder)->SetPath("C:\\addons");
    Find<QCheckBox>("chk", chk::kAddOnsOnly)->setChecked(false);  // all categories in the list
    EXPECT_TRUE(window->screen()->availableGeometry().contains(window->frameGeometry()));
    for (int page = 0; page <= tab::kHistory; ++page) {
        Tabs()->setCurrentIndex(page);
        ExpectNothingCut();
        SaveScreenshot(window.get(),
                       QString("keys%1x%2").arg(page).arg(window->devicePixelRatio()));
    }
    EXPECT_EQ(Text(Find<QLabel>("lbl", lbl::kCurrentInstallation)->accessibleDescription()), deep);
}

// Each frame of the first page has, at each scale from 1 to 2, a whole line beside each edge in
// the colour its edge has at scale 1 (its own scales: not in the run at twice the scale).
class FrameLines : public WindowFixture {};
TEST_F(FrameLines, WholeAtEveryScale) {
    Open();
    const auto picture = [&](double scale) {
        QPixmap pixmap(window->size() * scale);
        pixmap.setDevicePixelRatio(scale);
        window->render(&pixmap);
        return pixmap.toImage();
    };
    const QImage plain = picture(1);
    for (double scale : {1.0, 1.25, 1.5, 1.75, 2.0}) {
        const QImage image = picture(scale);
        for (QFrame* frame : window->findChildren<QFrame*>()) {
            if (frame->frameShape() != QFrame::StyledPanel || !frame->isVisibleTo(window.get()))
                continue;
            const QRect r(frame->mapTo(window.get(), QPoint()), frame->size());
            for (int side = 0; side < 4; ++side) {  // top, bottom, left, right
                const bool across = side < 2;
                const int out = side % 2 ? 1 : -1;
                const int edge = std::array{r.top(), r.bottom(), r.left(), r.right()}[side];
                const auto at = [&](const QImage& i, int along, int line) {
                    return qGray(across ? i.pixel(along, line) : i.pixel(line, along));
                };
                const int middle = across ? r.center().x() : r.center().y();
                const int colour = at(plain, middle, edge);
                ASSERT_GT(std::abs(colour - at(plain, middle, edge + out)), 8);
                const int near = int(out < 0 ? edge * scale : (edge + 1) * scale - 1);
                const int from = (across ? r.left() : r.top()) + 4;
                const int to = (across ? r.right() : r.bottom()) - 4;
                const auto whole = [&](int line) {
                    for (int t = int(from * scale); t <= int(to * scale); ++t)
                        if (std::abs(at(image, t, line) - colour) > 8) return false;
                    return true;
                };
                EXPECT_TRUE(whole(near - 1) || whole(near) || whole(near + 1))
                    << Text(frame->objectName()) << " "
                    << "tblr"[side] << " at " << scale;
            }
        }
    }
}

// Ctrl+Tab and Ctrl+PgDn go to the next page, Ctrl+Shift+Tab and Ctrl+PgUp to the one before,
// wherever the focus is: the window opens with it, and its mark, on the page tabs.
TEST_F(KeyboardAndClip, PagesSwitchByKeysFromAnyControl) {
    Open();
    window->activateWindow();
    for (int i = 0; i < 400 && !window->isActiveWindow(); ++i)
        QThread::msleep(5), qApp->processEvents();
    EXPECT_EQ(QApplication::focusWidget(), Tabs()->tabBar());
    EXPECT_EQ(
        std::ranges::count_if(window->findChildren<dialogs::FocusMark*>(), &QWidget::isVisible), 1);
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier, back = ctrl | Qt::ShiftModifier;
    const std::tuple<int, Qt::KeyboardModifiers, int> keys[] = {
        {Qt::Key_Tab, ctrl, 1},
        {Qt::Key_PageDown, ctrl, 1},
        {Qt::Key_Backtab, back, tab::kHistory},
        {Qt::Key_PageUp, ctrl, tab::kHistory}};
    for (QWidget* from : {static_cast<QWidget*>(Tabs()->tabBar()), Find("cbo", cbo::kAddOnFiles),
                          Find("cbo", cbo::kCarNumbers), Find("dir", dir::kAddOnFolder),
                          Find("txt", txt::kDescription), Find("lbl", lbl::kMovrand)})
        for (const auto& [key, modifiers, page] : keys) {
            Tabs()->setCurrentIndex(tab::kCarsAccessories);
            from->setFocus();
            for (auto type : {QEvent::KeyPress, QEvent::KeyRelease})
                QWindowSystemInterface::handleKeyEvent<QWindowSystemInterface::SynchronousDelivery>(
                    window->windowHandle(), type, key, modifiers);
            EXPECT_EQ(Tabs()->currentIndex(), page) << Text(from->objectName()) << " " << key;
        }
    Tabs()->setCurrentIndex(tab::kCarsAccessories);
    ExpectMarksAndTextsStandOut(window.get());
}

// A folder name is shortened only when it cannot be read whole in as many lines as the list
// allows: in the add-on folder list, as wide as the window gives it, names of 8 to 40
// characters read whole, each line within the list, below folders several levels deep.
TEST_F(KeyboardAndClip, FolderNamesReadWholeInTheirList) {
    std::vector<std::string> names = {"Downloads", "ferrari-312-classic"};
    const std::string words = "lotus-49b_cosworth.1967 brabham-bt24 eagle weslake";
    for (std::size_t n = 8; n <= 40; n += 4) names.push_back(words.substr(0, n));
    const std::string deep = "C:\\Users\\player\\Games\\add-ons\\";
    for (const std::string& name : names) drive.Write(deep + name + "\\x", "");
    Open();
    auto* list = Find<dialogs::FolderListBox>("dir", dir::kAddOnFolder);
    list->SetPath(deep);
    qApp->processEvents();
    auto* delegate = static_cast<dialogs::ListEntryDelegate*>(list->itemDelegate());
    for (const std::string& name : names) {
        const int row =
            list->row(list->findItems(QString::fromStdString(name), Qt::MatchExactly).value(0));
        ASSERT_GE(row, 0) << name;
        const auto shown = delegate->ShownEntry(list->model()->index(row, 0));
        EXPECT_EQ(Text(QString(shown.Text).remove('\n')), name) << Text(shown.Text);
        for (const QString& line : shown.Text.split('\n'))
            EXPECT_LE(list->fontMetrics().horizontalAdvance(line), shown.Room) << Text(line);
        EXPECT_LE(shown.Indent + shown.Room, list->viewport()->width());
        EXPECT_GE(list->visualItemRect(list->item(row)).height(),
                  shown.Text.count('\n') * list->fontMetrics().lineSpacing());
    }
    SaveScreenshot(window.get(), QString("folder-names-x%1").arg(window->devicePixelRatio()));
}

// Each handler that changes a control's look, done and undone, leaves every control as it was:
// place, visibility, enabled state, tooltip, font and colours.
TEST_F(KeyboardAndClip, EveryRestyleComesBack) {
    Open();
    const auto looks = [&] {  // what a page shows: hidden panels are filled anew when shown
        std::map<QString, std::tuple<QRect, bool, QString, QString, QColor>> all;
        for (QWidget* w : window->findChildren<QWidget*>())
            if (w->property("controlKind").isValid() && w->isVisibleTo(window.get()))
                all[w->objectName()] = {w->geometry(), w->isEnabled(), w->toolTip(),
                                        w->font().toString(),
                                        w->palette().color(QPalette::WindowText)};
        return all;
    };
    const auto dblClick = [&](QWidget* w) {
        QWidget* area = static_cast<QAbstractScrollArea*>(w)->viewport();
        SendMouse(area, QEvent::MouseButtonDblClick, {5, 5}, Qt::LeftButton);
        SendMouse(area, QEvent::MouseButtonRelease, {5, 5}, Qt::NoButton);
    };
    const std::pair<const char*, std::function<void()>> rows[] = {
        {"delete tick box", [&] { Find<QCheckBox>("chk", chk::kDeleteCurrentCarFolder)->click(); }},
        {"description view", [&] { dblClick(Find("txt", txt::kDescription)); }},
        {"driver list view", [&] { dblClick(Find("lst", lst::kTeamDrivers)); }},
        {"remove mode", [&] {
             const bool add = Find("cmd", cmd::kRemoveMode)->isVisible();
             Find<QPushButton>("cmd", add ? cmd::kRemoveMode : cmd::kAddMode)->click();
         }}};
    for (const auto& [name, change] : rows) {
        Tabs()->setCurrentIndex(std::string(name) == "delete tick box" ? tab::kCarFolders
                                                                       : tab::kCarsAccessories);
        const auto before = looks();
        change();
        EXPECT_NE(looks(), before) << name << " changes nothing";
        change();
        EXPECT_EQ(looks(), before) << name;
    }
}

}  // namespace
}  // namespace movrand::test
