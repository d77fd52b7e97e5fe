#pragma once
// What the program's windows show, read back for GUI tests: list rows, pictures, the platform
// message box.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QStringList>

#include "resources/ui/Pictures.h"
#include "ui/ModalDriver.h"

namespace movrand::test {

inline QStringList Rows(const QListWidget* list) {
    QStringList rows;
    for (int i = 0; i < list->count(); ++i) rows << list->item(i)->text();
    return rows;
}

inline QStringList Rows(const QComboBox* box) {
    QStringList rows;
    for (int i = 0; i < box->count(); ++i) rows << box->itemText(i);
    return rows;
}

// Double-clicks the row that reads `text`, as a person opens a folder in a folder list.
inline void DoubleClickRowNamed(QListWidget* list, const QString& text) {
    const int row = static_cast<int>(Rows(list).indexOf(text));
    if (row < 0) {
        ADD_FAILURE() << "no row " << text.toStdString();
        return;
    }
    DoubleClickRow(list, row);
}

// True when a picture control shows the program's picture `id`.
inline bool ShowsPicture(const QLabel* label, int id) {
    return label->pixmap().toImage() == resources::LoadResPicture(id).toImage();
}

// The same as WhenModal for the next platform message box (an error trap's report).
inline std::shared_ptr<bool> WhenMessageBox(std::function<void(QMessageBox*)> action) {
    return WhenModal([](QWidget* w) { return qobject_cast<QMessageBox*>(w) != nullptr; },
                     [action](QWidget* w) { action(qobject_cast<QMessageBox*>(w)); });
}

}  // namespace movrand::test
