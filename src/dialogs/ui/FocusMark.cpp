// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/ui/FocusMark.h"

#include <QEvent>
#include <QPainter>
#include <QTabBar>
#include <QVariant>
#include <utility>

#include "dialogs/ui/SkinnedWindow.h"

namespace movrand::dialogs {

void FocusMark::Attach(QWidget* control) {
    if (!control->parentWidget() || control->property("focusMarked").toBool()) return;
    control->setProperty("focusMarked", true);
    new FocusMark(control, control->parentWidget(), [control] {
        const int out = kGap + kWidth + kHalo;
        return control->geometry().adjusted(-out, -out, out, out);
    });
}

void FocusMark::AttachToTabs(QTabBar* bar) {
    if (bar->property("focusMarked").toBool()) return;
    bar->setProperty("focusMarked", true);
    auto* mark = new FocusMark(bar, bar, [bar] { return bar->tabRect(bar->currentIndex()); });
    connect(bar, &QTabBar::currentChanged, mark, [mark] { mark->Follow(); });
}

QColor FocusMark::RingColour(const QWidget* control) {
    // The skinned windows paint their dark tiles themselves; elsewhere the ground is the
    // palette's window colour.
    if (qobject_cast<const SkinnedWindow*>(control->window())) return Qt::white;
    const QWidget* ground = control->parentWidget() ? control->parentWidget() : control;
    return ground->palette().color(QPalette::Window).lightnessF() < 0.5 ? QColor(Qt::white)
                                                                        : QColor(Qt::black);
}

FocusMark::FocusMark(QWidget* control, QWidget* parent, std::function<QRect()> place)
    : QWidget(parent), control_(control), place_(std::move(place)) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    hide();
    control->installEventFilter(this);
}

bool FocusMark::eventFilter(QObject* watched, QEvent* event) {
    if (watched == control_) {
        switch (event->type()) {
            case QEvent::FocusIn:
            case QEvent::Move:
            case QEvent::Resize:
            case QEvent::Show:
                Follow();
                break;
            case QEvent::FocusOut:
            case QEvent::Hide:
                hide();
                break;
            case QEvent::ParentChange:
                if (parentWidget() != control_) setParent(control_->parentWidget());
                Follow();
                break;
            default:
                break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FocusMark::Follow() {
    if (!control_ || !control_->isVisible() || !control_->hasFocus()) {
        hide();
        return;
    }
    setGeometry(place_());
    show();
    raise();
}

void FocusMark::paintEvent(QPaintEvent*) {
    // Filled bands rather than a pen, so that no edge is lost between device pixels at a
    // fractional scale.
    QPainter painter(this);
    const QColor colour = control_ ? RingColour(control_) : QColor(Qt::black);
    const QColor halo = colour == QColor(Qt::white) ? QColor(Qt::black) : QColor(Qt::white);
    const auto band = [&](int inset, int thickness, const QColor& c) {
        const int w = width() - 2 * inset;
        const int h = height() - 2 * inset;
        painter.fillRect(QRect(inset, inset, w, thickness), c);
        painter.fillRect(QRect(inset, inset + h - thickness, w, thickness), c);
        painter.fillRect(QRect(inset, inset, thickness, h), c);
        painter.fillRect(QRect(inset + w - thickness, inset, thickness, h), c);
    };
    band(0, kHalo, halo);
    band(kHalo, kWidth, colour);
}

}  // namespace movrand::dialogs
