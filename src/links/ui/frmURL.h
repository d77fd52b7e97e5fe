// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QLabel>
#include <QLineEdit>

#include "common/ProgramValues.h"
#include "dialogs/ui/PictureButton.h"
#include "dialogs/ui/SkinnedWindow.h"
#include "platform/Ui.h"

namespace movrand::links {

// The website-address dialog: shows `WebsiteURL` for the user to change. The green button saves
// the address without the blanks around it (or asks for one when nothing but blanks was typed);
// either button closes the dialog, and closing it any other way changes nothing.
class frmURL : public dialogs::SkinnedWindow {
    Q_OBJECT
  public:
    frmURL(ProgramValues& pv, platform::Ui& ui, QWidget* parent = nullptr);

    // Paints the skin, sets the pictures and pointers and puts the address into its box.
    void Form_Load();

    QLineEdit* txt0() const { return txt0_; }
    dialogs::PictureButton* img(int index) const { return img_[index]; }

  private:
    void img_Click(int index);

    ProgramValues& pv_;
    platform::Ui& ui_;
    QLabel* lbl0_;
    QLineEdit* txt0_;
    dialogs::PictureButton* img_[2];
};

// Shows the shared website-address dialog modally and releases it when it closes.
void ShowURLDialog(ProgramValues& pv, platform::Ui& ui, QWidget* parent);

}  // namespace movrand::links
