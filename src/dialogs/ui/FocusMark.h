// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QPointer>
#include <QWidget>

namespace movrand::dialogs {

// A dotted ring around a control while it has the keyboard focus, for controls that show no
// focus of their own (pictures, labels, lists without a current row). The ring is black dashes
// on white, so it shows on the dark skin and on a light page alike. It lies outside the control
// and lets every mouse click through.
class FocusMark : public QWidget {
    Q_OBJECT
  public:
    // Gives `control` the ring; the ring belongs to the control's parent.
    static void Attach(QWidget* control);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    explicit FocusMark(QWidget* control);
    void Follow();

    QPointer<QWidget> control_;
};

}  // namespace movrand::dialogs
