// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/ui/DialogPlacement.h"

#include <QGuiApplication>
#include <QScreen>

#include "dialogs/ui/PictureButton.h"

namespace movrand::dialogs {

std::optional<QPoint> PlaceOver(QSize size, const QWidget* owner) {
    if (!owner) return std::nullopt;
    const QRect frame = owner->frameGeometry();
    QRect place(QPoint(), size);
    place.moveCenter(frame.center());
    bool hides = false;
    for (const PictureButton* button : owner->findChildren<PictureButton*>())
        if (button->isVisible() &&
            place.intersects(QRect(button->mapToGlobal(QPoint(0, 0)), button->size())))
            hides = true;
    if (!hides) return place.topLeft();
    constexpr int kGap = 8;
    place.moveTop(frame.bottom() + 1 + kGap);
    const QScreen* screen = owner->screen();
    if (screen && place.bottom() > screen->availableGeometry().bottom())
        place.moveBottom(frame.top() - 1 - kGap);
    return place.topLeft();
}

void KeepOnScreen(QWidget& window) {
    const QRect was = window.frameGeometry();
    const QScreen* screen = QGuiApplication::screenAt(was.center());
    if (!screen) screen = window.screen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    QRect frame = was;
    if (frame.right() > area.right()) frame.moveRight(area.right());
    if (frame.bottom() > area.bottom()) frame.moveBottom(area.bottom());
    if (frame.left() < area.left()) frame.moveLeft(area.left());
    if (frame.top() < area.top()) frame.moveTop(area.top());
    if (frame.topLeft() != was.topLeft()) window.move(frame.topLeft());
}

}  // namespace movrand::dialogs
