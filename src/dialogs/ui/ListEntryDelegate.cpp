// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/ui/ListEntryDelegate.h"

#include <algorithm>

namespace movrand::dialogs {

void ListEntryDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    QStyleOptionViewItem indented = option;
    indented.rect.adjust(index.data(kLevelRole).toInt() * kIndentPixels, 0, 0, 0);
    indented.rect.setRight(std::min(indented.rect.right(), list_->viewport()->width() - 1));
    QStyledItemDelegate::paint(painter, indented, index);
}

QSize ListEntryDelegate::sizeHint(const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.rwidth() += index.data(kLevelRole).toInt() * kIndentPixels;
    return size;
}

}  // namespace movrand::dialogs
