// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/ui/PictureButton.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>

#include "dialogs/ui/FocusMark.h"
#include "resources/PictureIds.h"
#include "resources/ui/Pictures.h"

namespace movrand::dialogs {

namespace {

// Presents a picture button to assistive technology as a push button with a press action.
class AccessiblePictureButton : public QAccessibleWidget {
  public:
    explicit AccessiblePictureButton(QWidget* widget)
        : QAccessibleWidget(widget, QAccessible::Button) {
        addControllingSignal(QStringLiteral("Clicked()"));
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        if (name == pressAction()) static_cast<PictureButton*>(widget())->Press();
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
};

QAccessibleInterface* PictureButtonFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("movrand::dialogs::PictureButton") && object &&
        object->isWidgetType())
        return new AccessiblePictureButton(static_cast<QWidget*>(object));
    return nullptr;
}

}  // namespace

PictureButton::PictureButton(const QString& objectName, const QString& accessibleName,
                             QWidget* parent)
    : QLabel(parent) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(PictureButtonFactory);
        return true;
    }();
    (void)factoryInstalled;
    setObjectName(objectName);
    setAccessibleName(accessibleName);
    setFocusPolicy(Qt::TabFocus);
    setScaledContents(false);
    FocusMark::Attach(this);
}

void PictureButton::SetPicture(int id) {
    picture_ = id;
    const QPixmap pixmap = resources::LoadResPicture(id);
    setPixmap(pixmap);
    resize(pixmap.size());
}

void PictureButton::SetHandPointer(bool hand) {
    if (hand)
        setCursor(resources::LoadResCursor(resources::kHandCursor));
    else
        unsetCursor();
}

void PictureButton::SetTip(const QString& tip) {
    setToolTip(tip);
    setAccessibleDescription(tip);
}

void PictureButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) pressed_ = true;
    event->accept();
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click) emit Clicked();
}

void PictureButton::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
            event->accept();
            if (isEnabled()) emit Clicked();
            return;
        }
    }
    QLabel::keyPressEvent(event);
}

}  // namespace movrand::dialogs
