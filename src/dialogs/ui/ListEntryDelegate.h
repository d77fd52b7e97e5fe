// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QListWidget>
#include <QStyledItemDelegate>

namespace movrand::dialogs {

// Draws the entries of a drive, folder or file list: each indented by its depth (kLevelRole), so
// the way down to an open folder reads as a tree, and a name wider than the list shortened with
// an ellipsis rather than drawn past its edge (the list's tooltip gives the whole).
class ListEntryDelegate : public QStyledItemDelegate {
  public:
    static constexpr int kLevelRole = Qt::UserRole + 1;
    static constexpr int kIndentPixels = 12;

    explicit ListEntryDelegate(QListWidget* list) : QStyledItemDelegate(list), list_(list) {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

  private:
    QListWidget* list_;
};

}  // namespace movrand::dialogs
