// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/ui/frmMovrand.h"

#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QWindow>
#include <algorithm>

#include "dialogs/ui/FocusMark.h"
#include "mainwindow/ui/ControlSetup.h"
#include "mainwindow/ui/ReadingOrder.h"
#include "resources/PictureIds.h"
#include "resources/ui/Pictures.h"

namespace movrand::mainwindow {

namespace {

// The key codes the drop-down lists' key-down rules speak of.
int KeyCodeOf(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Backspace:
            return 8;
        case Qt::Key_Left:
            return 37;
        case Qt::Key_F2:
            return 113;
        default:
            return 0;
    }
}

// Keys a drop-down list may act on itself: moving through its entries, opening it, moving on.
// Everything else would edit its text, which only the entries may set.
bool ListNavigationKey(const QKeyEvent* key) {
    switch (key->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_F2:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Escape:
        case Qt::Key_F4:
        case Qt::Key_Shift:
        case Qt::Key_Control:
        case Qt::Key_Alt:
            return true;
        default:
            return key->matches(QKeySequence::Copy) || key->matches(QKeySequence::SelectAll);
    }
}

// A key that types a character (the platform's key-press event).
bool TypesCharacter(const QKeyEvent* key) {
    if (key->text().isEmpty()) return false;
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    const QChar c = key->text().at(0);
    return c.isPrint() || c == QChar('\b') || c == QChar('\r');
}

bool PressesKey(const QKeyEvent* key, bool space) {
    if (key->modifiers() != Qt::NoModifier && key->modifiers() != Qt::KeypadModifier) return false;
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
           (space && key->key() == Qt::Key_Space);
}

// The labels and pictures that do something when clicked; the keyboard reaches them too.
bool Pressable(const std::string& kind, int index) {
    return kind == "pic" || (kind == "lbl" && (index == lbl::kMovrandShade ||
                                               index == lbl::kMovrand || index == lbl::kZorvex));
}

// A plain top-level widget reads to assistive technology as a mere filler; the main window is
// the program's application window, which a screen reader announces by its title.
QAccessibleInterface* ApplicationWindowRole(const QString& className, QObject* object) {
    if (className != QLatin1String(frmMovrand::staticMetaObject.className())) return nullptr;
    auto* widget = qobject_cast<QWidget*>(object);
    return widget ? new QAccessibleWidget(widget, QAccessible::Window) : nullptr;
}

}  // namespace

frmMovrand::frmMovrand(ProgramValues& pv, platform::Ui& ui, QWidget* parent)
    : QWidget(parent), pv_(pv), ui_(ui) {
    static const bool roleKnown = (QAccessible::installFactory(ApplicationWindowRole), true);
    (void)roleKnown;
    // The program's icon on the main window (the window manager's _NET_WM_ICON and the task
    // bar): the installed theme's, or the same picture compiled into the program.
    setWindowIcon(QIcon::fromTheme(QStringLiteral("movrand"),
                                   resources::LoadResIcon(resources::kProgramIcon)));
    BuildControls();
    AddPageShortcuts();
}

bool frmMovrand::Trapped(platform::TrapForm form, const std::function<void()>& body) {
    return platform::RunTrapped(ui_, form, pv_.ProgramName, body);
}

void frmMovrand::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    MakeRestSoon();
}

// The first page is on the screen: the rest of the window is made next, while the user looks
// at it.
void frmMovrand::MakeRestSoon() {
    if (deferred_.empty() && afterFirstPaint_.empty()) return;
    QTimer::singleShot(0, this, [this] {
        BuildRemainingControls();
        const std::vector<std::function<void()>> work = std::move(afterFirstPaint_);
        afterFirstPaint_.clear();
        for (const auto& step : work) step();
    });
}

void frmMovrand::AddPageShortcuts() {
    const struct {
        QKeySequence keys;
        int step;
    } keys[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
        {QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), -1},
        {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1},
    };
    for (const auto& k : keys) {
        auto* shortcut = new QShortcut(k.keys, this);
        shortcut->setContext(Qt::WindowShortcut);
        const int step = k.step;
        connect(shortcut, &QShortcut::activated, this, [this, step] { StepPage(step); });
    }
}

// The next or previous page, round from the last to the first.
void frmMovrand::StepPage(int step) {
    QTabWidget* tabs = tabMovrand(tabMovrand::kPages);
    const int count = tabs->count();
    if (count == 0) return;
    tabs->setCurrentIndex((tabs->currentIndex() + step + count) % count);
}

// No bigger than the screen's work area, title bar and frame included.
void frmMovrand::FitToWorkArea() {
    const QScreen* shown = screen();
    if (!shown) return;
    const QSize frame = isVisible() ? frameGeometry().size() - size() : QSize();
    const QSize room = shown->availableGeometry().size() - frame;
    resize(maximumSize().boundedTo(room));
    const QRect area = shown->availableGeometry();
    QRect outer = frameGeometry();
    if (!area.contains(outer)) {
        outer.moveRight(std::min(outer.right(), area.right()));
        outer.moveBottom(std::min(outer.bottom(), area.bottom()));
        outer.moveLeft(std::max(outer.left(), area.left()));
        outer.moveTop(std::max(outer.top(), area.top()));
        move(outer.topLeft());
    }
}

void frmMovrand::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The window opens with the focus, and its mark, on the page tabs.
    if (!focusWidget()) tabMovrand(tabMovrand::kPages)->setFocus(Qt::TabFocusReason);
    FitToWorkArea();
    // The window manager tells the frame's size only after the window is mapped.
    for (int ms : {0, 250}) QTimer::singleShot(ms, this, [this] { FitToWorkArea(); });
    if (!screenWatched_ && windowHandle()) {
        screenWatched_ = true;
        connect(windowHandle(), &QWindow::screenChanged, this, [this] { FitToWorkArea(); });
    }
}

void frmMovrand::BuildRemainingControls() {
    // Taken out first: a lookup while the parts are being made finds nothing left to make.
    const std::vector<DeferredPart> parts = std::move(deferred_);
    deferred_.clear();
    for (const DeferredPart& part : parts) {
        (this->*part.build)(part.holder);
        unloaded_.push_back(part.load);
    }
    OrderTabChain();
    LoadMadeParts();
}

std::string frmMovrand::TextOf(int index) const {
    QWidget* box = txt(index);
    if (auto* line = qobject_cast<QLineEdit*>(box)) return S(line->text());
    if (auto* text = qobject_cast<QPlainTextEdit*>(box)) return S(text->toPlainText());
    return "";
}

void frmMovrand::SetText(int index, const std::string& text) {
    QWidget* box = txt(index);
    if (auto* line = qobject_cast<QLineEdit*>(box)) line->setText(Q(text));
    if (auto* plain = qobject_cast<QPlainTextEdit*>(box))
        plain->setPlainText(Q(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

// The tab chain of every page made so far follows its reading order, after the page tabs.
void frmMovrand::OrderTabChain() {
    std::vector<QWidget*> chain{tabMovrand(tabMovrand::kPages)};
    for (int page = 0; page < tabMovrand(tabMovrand::kPages)->count(); ++page) {
        const std::vector<QWidget*> controls =
            ReadingOrder(tabMovrand(tabMovrand::kPages)->widget(page));
        chain.insert(chain.end(), controls.begin(), controls.end());
    }
    ChainFocus(chain);
}

void frmMovrand::Wire(const char* kind, int index, QWidget* control) {
    const std::string k = kind;
    // Controls that draw no focus of their own get a ring while they have it.
    if (Pressable(k, index)) {
        // The name's shade lies under the name itself: one place, one Tab stop, one ring.
        const bool shade = k == "lbl" && index == lbl::kMovrandShade;
        control->setFocusPolicy(shade ? Qt::NoFocus : Qt::TabFocus);
        if (!shade) dialogs::FocusMark::Attach(control);
    }
    if (k == "lst" || k == "dir" || k == "txt") {
        if (auto* plain = qobject_cast<QPlainTextEdit*>(control)) plain->setTabChangesFocus(true);
        if (qobject_cast<QAbstractScrollArea*>(control)) dialogs::FocusMark::Attach(control);
    }
    if (k == "cmd") {
        connect(static_cast<QPushButton*>(control), &QPushButton::clicked, this,
                [this, index] { cmd_Click(index); });
        control->installEventFilter(this);
    } else if (k == "drv") {
        connect(static_cast<dialogs::DriveListBox*>(control), &dialogs::DriveListBox::changed, this,
                [this, index] { drv_Change(index); });
    } else if (k == "dir") {
        auto* list = static_cast<dialogs::FolderListBox*>(control);
        connect(list, &dialogs::FolderListBox::changed, this, [this, index] { dir_Change(index); });
        connect(list, &dialogs::FolderListBox::clicked, this, [this, index] { dir_Click(index); });
    } else if (k == "chk") {
        connect(static_cast<QCheckBox*>(control), &QCheckBox::toggled, this,
                [this, index] { chk_Click(index); });
    } else if (k == "cbo") {
        auto* box = static_cast<QComboBox*>(control);
        connect(box, &QComboBox::activated, this, [this, index] { cbo_Click(index); });
        box->installEventFilter(this);
        box->lineEdit()->setProperty("controlKind", "cbo");
        box->lineEdit()->setProperty("controlIndex", index);
        box->lineEdit()->installEventFilter(this);
    } else if (k == "lbl" || k == "pic") {
        control->installEventFilter(this);
    } else if (k == "lst") {
        auto* list = static_cast<QListWidget*>(control);
        list->viewport()->setProperty("controlKind", "lst");
        list->viewport()->setProperty("controlIndex", index);
        list->viewport()->installEventFilter(this);
    } else if (k == "txt") {
        control->installEventFilter(this);
        if (auto* plain = qobject_cast<QPlainTextEdit*>(control)) {
            plain->viewport()->setProperty("controlKind", "txt");
            plain->viewport()->setProperty("controlIndex", index);
            plain->viewport()->installEventFilter(this);
        }
    }
}

bool frmMovrand::eventFilter(QObject* watched, QEvent* event) {
    // The pages lie on the canvas, which covers the window: its first paint is the window's.
    if (event->type() == QEvent::Paint && watched->objectName() == QLatin1String("canvas"))
        MakeRestSoon();
    const QString kind = watched->property("controlKind").toString();
    const int index = watched->property("controlIndex").toInt();
    const auto* widget = qobject_cast<QWidget*>(watched);
    const auto released = [&] {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        return mouse->button() == Qt::LeftButton && widget &&
               widget->rect().contains(mouse->position().toPoint());
    };
    switch (event->type()) {
        case QEvent::KeyPress: {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (kind == "cbo") {
                const bool down = cbo_KeyDown(index, KeyCodeOf(key->key()));
                if (TypesCharacter(key) || key->key() == Qt::Key_Backspace) {
                    // Backspace types its control character, which no entry begins with.
                    cbo_KeyPress(index,
                                 key->key() == Qt::Key_Backspace ? QString("\b") : key->text());
                    return true;
                }
                return down || !ListNavigationKey(key);
            }
            if (kind == "txt" && TypesCharacter(key)) return txt_KeyPress(index, key->text());
            // Enter presses a focused button, as Space does; a label or picture that reacts
            // to a click reacts to Enter and Space.
            if (kind == "cmd" && PressesKey(key, false)) {
                static_cast<QPushButton*>(watched)->click();
                return true;
            }
            if (Pressable(S(kind), index) && watched == widget && PressesKey(key, true)) {
                kind == "pic" ? pic_Click(index) : lbl_Click(index);
                return true;
            }
            break;
        }
        case QEvent::Wheel:
            // A closed drop-down list changes its choice only when the user picks an entry; a
            // wheel passing over it must not choose another driver or number.
            if (kind == "cbo") return true;
            break;
        case QEvent::FocusOut:
            if (kind == "txt" && watched == txt(index)) txt_LostFocus(index);
            break;
        case QEvent::MouseButtonRelease:
            if (kind == "lbl" && released()) lbl_Click(index);
            if (kind == "pic" && released()) pic_Click(index);
            if (kind == "txt" && !deliveringMouseUp_) {
                // The box finishes its own handling of the release first, so the caret rule
                // has the last word.
                deliveringMouseUp_ = true;
                QCoreApplication::sendEvent(watched, event);
                deliveringMouseUp_ = false;
                txt_MouseUp(index);
                return true;
            }
            break;
        case QEvent::MouseButtonDblClick:
            if (kind == "lst") {
                lst_DblClick(index);
                return true;
            }
            if (kind == "txt") {
                txt_DblClick(index);
                if (index == txt::kDescription) return true;
            }
            break;
        default:
            break;
    }
    return QWidget::eventFilter(watched, event);
}

void frmMovrand::SelectEntry(int index, int entry) {
    QComboBox* box = cbo(index);
    box->setCurrentIndex(entry);
    if (entry >= 0) box->setEditText(box->itemText(entry));
    cbo_Click(index);
}

void frmMovrand::closeEvent(QCloseEvent* event) {
    if (!Form_QueryUnload()) {
        event->ignore();
        return;
    }
    Form_Unload();
    event->accept();
}

}  // namespace movrand::mainwindow
