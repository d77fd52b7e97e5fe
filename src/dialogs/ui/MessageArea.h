// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QScrollArea>

#include "dialogs/ui/MessageLabel.h"

namespace movrand::dialogs {

// The place of a message or question text. A text longer than the place scrolls inside it,
// beside a scroll bar, so the window keeps its buttons in view; then Tab reaches the text and
// the arrow and page keys scroll it. Where the text holds a list (the lines after a line that
// ends with ":", up to a blank line: files, folders, steps), the list alone scrolls: the text
// before it stays above it and the text after it (the question itself) below it, in view
// beside the buttons. The text is read-only, and Enter and Escape still go to the window.
//
// The area is the scrolling part; the text above and below the list are labels beside it in
// the same window.
class MessageArea : public QScrollArea {
  public:
    explicit MessageArea(QWidget* parent);

    // The scrolling text: the whole text, or the list alone.
    MessageLabel* Label() const { return label_; }
    // The text before and after the list; hidden while the whole text scrolls or fits.
    MessageLabel* Above() const { return above_; }
    MessageLabel* Below() const { return below_; }
    // The whole text, laid out nowhere: what the window measures to size itself for it.
    const MessageLabel& Whole() const { return *whole_; }

    void SetText(const QString& text);
    // Lays the text out within `box` (pixels, in the window's coordinates).
    void SetBox(const QRect& box);
    // True while the scrolling text is longer than its place.
    bool Scrolls() const;

  private:
    void Fit();
    void FitScrolling();

    MessageLabel* label_;
    MessageLabel* above_;
    MessageLabel* below_;
    MessageLabel* whole_;
    QRect box_;
};

// A text split at its list: the text before the list (with the line that leads into it), the
// list, and the text after it (blank lines before it dropped). `List` is empty when the text
// holds no list of two lines or more.
struct MessageParts {
    QString Above;
    QString List;
    QString Below;
};
MessageParts SplitAtList(const QString& text);

}  // namespace movrand::dialogs
