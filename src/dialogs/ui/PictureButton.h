// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QLabel>

namespace movrand::dialogs {

// A picture that works as a button: it shows one of the program's bitmaps and answers a single
// mouse click. Tab reaches it, a dotted ring marks it while it has the focus, and Space or Enter
// presses it. Screen readers see a button named after what it stands for ("OK", "Yes") whose
// description is its tooltip, and can press it.
class PictureButton : public QLabel {
    Q_OBJECT
  public:
    PictureButton(const QString& objectName, const QString& accessibleName, QWidget* parent);

    // Shows bitmap `id` at its own size.
    void SetPicture(int id);
    int Picture() const { return picture_; }
    // The hand (cursor 101) over an enabled button, the default arrow over a grey one.
    void SetHandPointer(bool hand);
    // Tooltip, also the accessible description.
    void SetTip(const QString& tip);

    // What a click does, for assistive technology.
    void Press() { emit Clicked(); }

  signals:
    void Clicked();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    int picture_ = 0;
    bool pressed_ = false;
};

}  // namespace movrand::dialogs
