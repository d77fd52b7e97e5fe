// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QLabel>

namespace movrand::dialogs {

// The text of the message and question windows: white, in the skin's face at 12 points, on a
// transparent ground. It wraps at blanks and, where one word is wider than a line (a long path),
// inside the word, so no part of a text ever runs past the label's right edge.
class MessageLabel : public QLabel {
  public:
    explicit MessageLabel(QWidget* parent);

    // The height in pixels the text takes at a width in pixels.
    int TextHeight(int width) const;
    // The width in pixels of the text's longest line, unbroken.
    int WidestLine() const;
    // The width in pixels of the widest line that names a file (holds a "\\"), when the text
    // lists files, two or more one a line; 0 when it does not.
    int WidestFileLine() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace movrand::dialogs
