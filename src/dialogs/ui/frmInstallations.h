// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QListWidget>
#include <vector>

#include "dialogs/ui/PictureButton.h"
#include "dialogs/ui/SkinnedWindow.h"
#include "platform/Ui.h"

namespace movrand::dialogs {

// The installation chooser: a first start found GPL in several Wine prefixes and asks which one
// to use. One line per installation (the prefix's folder, then the Windows path of its
// driver.ini), a green OK and a red Cancel picture. Unlike the other skinned windows it is worked
// from the keyboard too: Up and Down move in the list, Tab reaches the two buttons, Enter answers
// OK (Cancel when Cancel has the focus) and Escape answers Cancel.
class frmInstallations : public SkinnedWindow {
    Q_OBJECT
  public:
    frmInstallations(platform::Random& rnd, QWidget* parent = nullptr);

    // Paints the skin and fills the list, the first line chosen.
    void Load(const std::vector<platform::InstallationLine>& lines);
    // The index of the line chosen with OK, or platform::kChoiceCancelled.
    int Choice() const { return choice_; }

    QListWidget* List() const { return lst0_; }
    PictureButton* OkButton() const { return img_[0]; }
    PictureButton* CancelButton() const { return img_[1]; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void Answer(bool ok);

    int choice_ = platform::kChoiceCancelled;
    QLabel* lbl0_;
    QListWidget* lst0_;
    PictureButton* img_[2];
    WhiteFrame* shp_;
};

}  // namespace movrand::dialogs
