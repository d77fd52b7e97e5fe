// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Mouse and keyboard input delivered to widgets as the window system would deliver it, and what
// lists and pictures show, for GUI tests on the offscreen platform.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>

#include "resources/ui/Pictures.h"

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

// A click or double-click on row `row` of an item view, delivered to its viewport.
inline void ClickRow(QAbstractItemView* view, int row) {
    Click(view->viewport(), view->visualRect(view->model()->index(row, 0)).center());
}
inline void DoubleClickRow(QAbstractItemView* view, int row) {
    const QPoint at = view->visualRect(view->model()->index(row, 0)).center();
    Click(view->viewport(), at);
    SendMouse(view->viewport(), QEvent::MouseButtonDblClick, at, Qt::LeftButton);
    SendMouse(view->viewport(), QEvent::MouseButtonRelease, at, Qt::NoButton);
}

// A key press and release; `text` is the character it types, if any.
inline void PressKey(QWidget* target, int key, const QString& text = QString()) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
}

inline void TypeChar(QWidget* target, QChar c) {
    PressKey(target,
             c.isLetter()  ? Qt::Key_A + (c.toUpper().unicode() - 'A')
             : c.isDigit() ? Qt::Key_0 + (c.unicode() - '0')
                           : Qt::Key_unknown,
             QString(c));
}

template <typename List>
QStringList Rows(const List* list) {
    QStringList rows;
    for (int i = 0; i < list->count(); ++i) rows << list->model()->index(i, 0).data().toString();
    return rows;
}

// Double-clicks the row that reads `text`, as a person opens a folder in a folder list.
inline void DoubleClickRowNamed(QListWidget* list, const QString& text) {
    const int row = static_cast<int>(Rows(list).indexOf(text));
    ASSERT_GE(row, 0) << text.toStdString();
    DoubleClickRow(list, row);
}

// True when a picture control shows the program's picture `id`.
inline bool ShowsPicture(const QLabel* label, int id) {
    return label->pixmap().toImage() == resources::LoadResPicture(id).toImage();
}

}  // namespace movrand::test
