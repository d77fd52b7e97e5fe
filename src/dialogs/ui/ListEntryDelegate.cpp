// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/ui/ListEntryDelegate.h"

#include <QApplication>
#include <QStyle>
#include <QTextLayout>
#include <algorithm>

namespace movrand::dialogs {

ListEntryDelegate::ListEntryDelegate(QListWidget* list) : QStyledItemDelegate(list), list_(list) {
    // Entries are laid out again when the list's width changes, as their lines depend on it.
    list->setResizeMode(QListView::Adjust);
}

ListEntryDelegate::Shown ListEntryDelegate::LayOut(const QStyleOptionViewItem& option,
                                                   const QModelIndex& index) const {
    const QString name = index.data(Qt::DisplayRole).toString();
    const QStyle* style = list_->style() ? list_->style() : QApplication::style();
    // What the style draws around the text: its margins and, beside it, the icon.
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list_) + 1;
    int chrome = 2 * margin;
    if (!index.data(Qt::DecorationRole).isNull())
        chrome += option.decorationSize.width() + 2 * margin;
    const int width = list_->viewport()->width();
    const int full = index.data(kLevelRole).toInt() * kIndentPixels;
    const QFontMetrics& metrics = option.fontMetrics;
    const int needed = metrics.horizontalAdvance(name) + chrome + 1;

    Shown shown;
    if (needed <= width - full) {  // fits as it is
        shown.Indent = full;
    } else if (needed <= width) {  // fits with less indentation
        shown.Indent = std::max(0, width - needed);
    } else {  // takes more lines, keeping a little of its depth
        shown.Indent = std::min(full, width / 8);
    }
    shown.Room = std::max(1, width - shown.Indent - chrome - 1);
    if (needed <= width) {
        shown.Text = name;
        return shown;
    }
    QTextLayout layout(name, option.font);
    QTextOption wrap;
    wrap.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(wrap);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(shown.Room);
        if (lines.size() == kMaxLines - 1) {  // the last line takes the rest, shortened
            lines << metrics.elidedText(name.mid(line.textStart()), Qt::ElideMiddle, shown.Room);
            break;
        }
        lines << name.mid(line.textStart(), line.textLength());
    }
    layout.endLayout();
    shown.Text = lines.join(QLatin1Char('\n'));
    return shown;
}

ListEntryDelegate::Shown ListEntryDelegate::ShownEntry(const QModelIndex& index) const {
    QStyleOptionViewItem option;
    option.initFrom(list_);
    const int small = list_->style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, list_);
    option.decorationSize = list_->iconSize().isValid() ? list_->iconSize() : QSize(small, small);
    QStyledItemDelegate::initStyleOption(&option, index);
    return LayOut(option, index);
}

void ListEntryDelegate::initStyleOption(QStyleOptionViewItem* option,
                                        const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    // The style counts and draws lines at the line separator.
    option->text = LayOut(*option, index).Text.replace(QLatin1Char('\n'), QChar::LineSeparator);
}

void ListEntryDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    QStyleOptionViewItem indented = option;
    indented.rect.adjust(LayOut(option, index).Indent, 0, 0, 0);
    indented.rect.setRight(std::min(indented.rect.right(), list_->viewport()->width() - 1));
    QStyledItemDelegate::paint(painter, indented, index);
}

QSize ListEntryDelegate::sizeHint(const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.rwidth() += LayOut(option, index).Indent;
    return size;
}

}  // namespace movrand::dialogs
