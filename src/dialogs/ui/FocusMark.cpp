// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/ui/FocusMark.h"

#include <QEvent>
#include <QPainter>

namespace movrand::dialogs {

namespace {
constexpr int kRing = 2;  // pixels between the control's edge and the ring's outer edge
}

void FocusMark::Attach(QWidget* control) {
    if (!control->parentWidget()) return;
    new FocusMark(control);
}

FocusMark::FocusMark(QWidget* control) : QWidget(control->parentWidget()), control_(control) {
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
                setParent(control_->parentWidget());
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
    setGeometry(control_->geometry().adjusted(-kRing, -kRing, kRing, kRing));
    show();
    raise();
}

void FocusMark::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect ring = rect().adjusted(0, 0, -1, -1);
    painter.setPen(QPen(Qt::white, 0));
    painter.drawRect(ring);
    painter.setPen(QPen(Qt::black, 0, Qt::DotLine));
    painter.drawRect(ring);
}

}  // namespace movrand::dialogs
