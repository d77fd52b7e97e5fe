// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QProxyStyle>

namespace movrand::dialogs {

// The application's style with every frame drawn whole at a fractional scale (1.25, 1.5, ...).
// There a control whose edge falls between two device pixels loses the style's one-pixel lines
// on that edge: the control's own painting is cut at the rounded edge, and the viewport of a
// list or text box paints over the line beside it. Here the style draws the frame as it always
// does, only into a picture of its own first, and each of its lines is then laid on whole
// device pixels inside the control's edge, in the style's own colours. At whole scales the
// style draws alone.
class WholeFrameStyle : public QProxyStyle {
    Q_OBJECT
  public:
    // Makes the application's style one that draws whole frames (once; again does nothing).
    static void Install();

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;

  private:
    explicit WholeFrameStyle(QStyle* base) : QProxyStyle(base) {}
};

}  // namespace movrand::dialogs
