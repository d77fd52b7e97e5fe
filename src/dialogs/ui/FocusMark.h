// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QColor>
#include <QPointer>
#include <QWidget>
#include <functional>

class QTabBar;

namespace movrand::dialogs {

// A solid ring around a control while it has the keyboard focus, for controls whose own focus
// is missing or too faint (pictures, labels, lists, drop-down lists on the dark skin). The ring
// is two pixels wide in white on a dark ground and in black on a light one, edged outside by
// a pixel of the other colour, so it stands out from whatever lies beside it (a dark picture
// on a light page included). It lies just outside the control and lets every mouse click
// through.
class FocusMark : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kWidth = 2;  // pixels of the ring
    static constexpr int kGap = 1;    // pixels between the control's edge and the ring
    static constexpr int kHalo = 1;   // pixels of the opposite colour around the ring

    // Gives `control` the ring; the ring belongs to the control's parent.
    static void Attach(QWidget* control);
    // Gives the tabs of `bar` the ring, just inside the current tab: the bar lies at the edge of
    // its page control, where a ring outside it would be cut off.
    static void AttachToTabs(QTabBar* bar);

    // The ring's colour around `control`: the one of black and white that differs most from
    // the ground the control lies on.
    static QColor RingColour(const QWidget* control);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    FocusMark(QWidget* control, QWidget* parent, std::function<QRect()> place);
    void Follow();

    QPointer<QWidget> control_;
    std::function<QRect()> place_;  // where the ring lies, in its parent's coordinates
};

}  // namespace movrand::dialogs
