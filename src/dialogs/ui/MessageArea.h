// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QScrollArea>

#include "dialogs/ui/MessageLabel.h"

namespace movrand::dialogs {

// The place of a message or question text. A text longer than the place (the files of a long
// list, one a line) scrolls inside it, beside a scroll bar, so the window keeps its buttons in
// view; then Tab reaches the text and the arrow and page keys scroll it. The text is read-only,
// and Enter and Escape still go to the window.
class MessageArea : public QScrollArea {
  public:
    explicit MessageArea(QWidget* parent);

    MessageLabel* Label() const { return label_; }
    void SetText(const QString& text);
    // True while the text is longer than its place.
    bool Scrolls() const;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void Fit();

    MessageLabel* label_;
};

}  // namespace movrand::dialogs
