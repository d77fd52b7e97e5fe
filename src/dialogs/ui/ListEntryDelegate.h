// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QListWidget>
#include <QStyledItemDelegate>

namespace movrand::dialogs {

// Draws the entries of a drive, folder or file list: each indented by its depth (kLevelRole), so
// the way down to an open folder reads as a tree. A name is shortened only as a last resort: a
// deep entry gives up its indentation first, then a name wider than the list takes up to
// kMaxLines lines (broken after a "-", "_", "." or blank where it can), and only what is left
// over is shortened with an ellipsis in its middle (the entry's tooltip gives the whole).
class ListEntryDelegate : public QStyledItemDelegate {
  public:
    static constexpr int kLevelRole = Qt::UserRole + 1;
    static constexpr int kIndentPixels = 12;
    static constexpr int kMaxLines = 4;

    explicit ListEntryDelegate(QListWidget* list);
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // The entry's text as it is drawn, its lines separated by "\n", and its indentation.
    struct Shown {
        QString Text;
        int Indent = 0;
        int Room = 0;  // the pixels each line has
    };
    Shown ShownEntry(const QModelIndex& index) const;

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

  private:
    Shown LayOut(const QStyleOptionViewItem& option, const QModelIndex& index) const;
    QListWidget* list_;
};

}  // namespace movrand::dialogs
