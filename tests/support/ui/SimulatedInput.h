#pragma once
// Mouse and keyboard input delivered to widgets as the window system would deliver it, for GUI
// tests on the offscreen platform.
#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

namespace movrand::test {

inline void SendMouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
    QMouseEvent event(type, QPointF(at), QPointF(target->mapToGlobal(at)), Qt::LeftButton, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

inline void Click(QWidget* target, QPoint at) {
    SendMouse(target, QEvent::MouseButtonPress, at, Qt::LeftButton);
    SendMouse(target, QEvent::MouseButtonRelease, at, Qt::NoButton);
}
inline void Click(QWidget* target) {
    Click(target, target->rect().center());
}

inline void DoubleClick(QWidget* target, QPoint at) {
    Click(target, at);
    SendMouse(target, QEvent::MouseButtonDblClick, at, Qt::LeftButton);
    SendMouse(target, QEvent::MouseButtonRelease, at, Qt::NoButton);
}
inline void DoubleClick(QWidget* target) {
    DoubleClick(target, target->rect().center());
}

// A click on row `row` of an item view, delivered to its viewport.
inline void ClickRow(QAbstractItemView* view, int row) {
    Click(view->viewport(), view->visualRect(view->model()->index(row, 0)).center());
}
inline void DoubleClickRow(QAbstractItemView* view, int row) {
    DoubleClick(view->viewport(), view->visualRect(view->model()->index(row, 0)).center());
}

// A key press and release; `text` is the character it types, if any.
inline void PressKey(QWidget* target, int key, const QString& text = QString(),
                     Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(target, &release);
}

// Types one character.
inline void TypeChar(QWidget* target, QChar c) {
    PressKey(target,
             c.isLetter()  ? Qt::Key_A + (c.toUpper().unicode() - 'A')
             : c.isDigit() ? Qt::Key_0 + (c.unicode() - '0')
                           : Qt::Key_unknown,
             QString(c));
}

}  // namespace movrand::test
