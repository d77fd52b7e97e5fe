// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/ui/SkinnedWindow.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QScreen>
#include <QStyle>
#include <cmath>

#include "dialogs/ui/FocusMark.h"
#include "dialogs/ui/SkinnedWindowControls.h"
#include "dialogs/ui/Twips.h"
#include "resources/PictureIds.h"
#include "resources/ui/Pictures.h"

namespace movrand::dialogs {

WhiteFrame::WhiteFrame(QWidget* parent) : QWidget(parent) {
    setObjectName(ControlName("shp", SkinnedWindowControls::shp::kWhiteFrame));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setGeometry(parent->rect());
    parent->installEventFilter(this);
}

// The frame goes with the window's edges whoever sizes it (its owner's layout, a message that
// grows for its text, the window system), and stays above every control.
bool WhiteFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() &&
        (event->type() == QEvent::Resize || event->type() == QEvent::Show)) {
        setGeometry(parentWidget()->rect());
        raise();
    }
    return QWidget::eventFilter(watched, event);
}

// One pixel of the window's own scale on every edge, inside the window, drawn over the controls
// so that none of them can cover it. It is drawn in device pixels: at a fractional scale an edge
// of the window falls within a device pixel, and both pixels it may fall in are painted.
void WhiteFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const qreal ratio = devicePixelRatioF();
    painter.scale(1 / ratio, 1 / ratio);
    const int line = std::max(1, static_cast<int>(std::floor(ratio)));
    const int inner = static_cast<int>(std::floor(width() * ratio));
    const int outer = static_cast<int>(std::ceil(width() * ratio));
    const int innerH = static_cast<int>(std::floor(height() * ratio));
    const int outerH = static_cast<int>(std::ceil(height() * ratio));
    painter.fillRect(QRect(0, 0, outer, line), Qt::white);
    painter.fillRect(QRect(0, innerH - line, outer, outerH - innerH + line), Qt::white);
    painter.fillRect(QRect(0, 0, line, outerH), Qt::white);
    painter.fillRect(QRect(inner - line, 0, outer - inner + line, outerH), Qt::white);
}

SkinnedWindow::SkinnedWindow(const QString& name, Border border, SkinExtent extent,
                             platform::Random& rnd, QWidget* parent)
    : QDialog(parent), border_(border), extent_(extent), rnd_(rnd) {
    setObjectName(name);
    setModal(true);
    if (border == Border::None) {
        setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    } else {
        setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                       Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    }
    tileHolder_ = new QLabel(this);
    tileHolder_->setObjectName(ControlName("pic", SkinnedWindowControls::pic::kTileHolder));
    tileHolder_->hide();
}

void SkinnedWindow::SetTwipsSize(int width, int height) {
    widthTwips_ = width;
    heightTwips_ = height;
    const QSize room = Room();
    setFixedSize(std::min(PixelsX(width), room.width()), std::min(PixelsY(height), room.height()));
}

QSize SkinnedWindow::Room() const {
    const QScreen* shown = screen();
    if (!shown) shown = QGuiApplication::primaryScreen();
    if (!shown) return {QWIDGETSIZE_MAX, QWIDGETSIZE_MAX};
    QSize room = shown->availableGeometry().size();
    if (border_ != Border::None) {
        // Before the window is first shown the window system has not told its frame yet.
        const QSize frame = frameGeometry().size() - size();
        room -= frame.isEmpty() ? QSize(2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth),
                                        style()->pixelMetric(QStyle::PM_TitleBarHeight))
                                : frame;
    }
    return room;
}

void SkinnedWindow::NameAfterText(const std::string& text) {
    const QString whole = QString::fromStdString(text);
    setAccessibleDescription(whole);
    for (const QString& line : whole.split(QRegularExpression(QStringLiteral("[\\r\\n]+"))))
        if (!line.trimmed().isEmpty()) {
            setAccessibleName(line.trimmed());
            return;
        }
    setAccessibleName(QString());
}

// The size in twips as last set, unless the window has since been given another pixel size.
int SkinnedWindow::WidthTwips() const {
    return PixelsX(widthTwips_) == width() ? widthTwips_ : TwipsX(width());
}

int SkinnedWindow::HeightTwips() const {
    return PixelsY(heightTwips_) == height() ? heightTwips_ : TwipsY(height());
}

void SkinnedWindow::PaintSkin() {
    const QPixmap tile = resources::LoadResPicture(resources::kSkinTile);
    tileHolder_->setPixmap(tile);
    tileHolder_->resize(tile.size());
    // The loops run over the outer size; a window with a title bar has more of it than it shows.
    const QSize frame = frameGeometry().size();
    double outerWidth = WidthTwips();
    double outerHeight = HeightTwips();
    if (border_ != Border::None) {
        outerWidth += TwipsX(frame.width() - width());
        outerHeight += TwipsY(frame.height() - height());
    }
    const double tppX = TwipsPerPixelX();
    const double tppY = TwipsPerPixelY();
    const auto tiles = SkinTiles(outerWidth, outerHeight, tile.width() * tppX, tile.height() * tppY,
                                 extent_, rnd_);
    const qreal ratio = devicePixelRatioF();
    QPixmap background(size() * ratio);
    background.setDevicePixelRatio(ratio);
    background.fill(QColor(0x40, 0x40, 0x40));
    {
        QPainter painter(&background);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        for (const SkinTile& t : tiles) {
            const QRectF target(t.X / tppX, t.Y / tppY, t.Width / tppX, t.Height / tppY);
            if (target.right() < 0 || target.left() > width()) continue;
            painter.drawPixmap(target, tile, QRectF(tile.rect()));
        }
    }
    background_ = background;
    update();
}

bool SkinnedWindow::GrowForText(const MessageLabel& label, const TwipsBox& box) {
    int lineWidth = PixelsX(box.Width);
    const int missing = label.TextHeight(lineWidth) - PixelsY(box.Height);
    const int fileLine = label.WidestFileLine();
    if (missing <= 0 && fileLine <= lineWidth) return false;
    // A list of files, one a line, and a text taller than the screen (mostly such a list): the
    // window widens, as far as the screen lets it, so that each line stays whole beside the
    // scroll bar.
    const bool tall = missing > 0 && height() + missing > Room().height();
    if (tall || fileLine > lineWidth) {
        const int wider = std::max(fileLine, tall ? label.WidestLine() : 0) +
                          label.fontMetrics().averageCharWidth() +
                          style()->pixelMetric(QStyle::PM_ScrollBarExtent) - lineWidth;
        if (wider > 0) {
            const int was = width();
            SetTwipsSize(WidthTwips() + static_cast<int>(std::ceil(wider * TwipsPerPixelX())),
                         HeightTwips());
            lineWidth += width() - was;
        }
    }
    const int still = label.TextHeight(lineWidth) - PixelsY(box.Height);
    SetTwipsSize(WidthTwips(), HeightTwips() + static_cast<int>(std::ceil(std::max(still, 0) *
                                                                          TwipsPerPixelY())));
    return true;
}

void SkinnedWindow::Place(QWidget* control, const TwipsBox& box) {
    control->setGeometry(PixelBox(box));
}

QRect SkinnedWindow::PixelBox(const TwipsBox& box) {
    return {PixelsX(box.Left), PixelsY(box.Top), PixelsX(box.Width), PixelsY(box.Height)};
}

void SkinnedWindow::PlaceAt(QWidget* control, int left, int top) {
    control->move(PixelsX(left), PixelsY(top));
}

void SkinnedWindow::paintEvent(QPaintEvent*) {
    // A window grown since its skin was painted shows plain dark grey in the new part.
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0x40, 0x40, 0x40));
    if (!background_.isNull()) painter.drawPixmap(0, 0, background_);
}

void SkinnedWindow::SetKeyAnswers(std::function<void()> enter, std::function<void()> escape) {
    enter_ = std::move(enter);
    escape_ = std::move(escape);
}

// Every control the keyboard reaches shows a ring on the dark skin (the style's own focus
// marks are too faint on it), and the window opens with the focus on its first control.
void SkinnedWindow::showEvent(QShowEvent* event) {
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if ((child->focusPolicy() & Qt::TabFocus) && !child->isWindow()) FocusMark::Attach(child);
    for (WhiteFrame* frame : findChildren<WhiteFrame*>(Qt::FindDirectChildrenOnly)) frame->raise();
    QDialog::showEvent(event);
    if (!focusWidget()) FocusFirstControl();
}

void SkinnedWindow::FocusFirstControl() {
    for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain()) {
        if (w->isWindow() || !isAncestorOf(w)) continue;
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(this)) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void SkinnedWindow::keyPressEvent(QKeyEvent* event) {
    // The dialog's own answers to these keys (hide, reject) would bypass what the window's
    // buttons do.
    const int key = event->key();
    const bool plain =
        event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier;
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
        event->accept();
        const auto& answer = key == Qt::Key_Escape ? escape_ : enter_;
        if (plain && answer) answer();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace movrand::dialogs
