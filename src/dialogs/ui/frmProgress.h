// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QLabel>
#include <QProgressBar>

#include "dialogs/ui/SkinnedWindow.h"
#include "platform/Ui.h"

namespace movrand::dialogs {

// The progress window of long file work: how many files of how many are done, the file being
// carried now and a bar. It has no buttons and its title bar no close button: the work runs to
// its end (stopping a copy or move between two files could leave a folder half carried), and a
// close request from the window system does nothing.
class frmProgress : public SkinnedWindow {
    Q_OBJECT
  public:
    frmProgress(platform::Random& rnd, const QString& title, QWidget* parent);

    void Show(const platform::FileProgress& progress);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    QLabel* lbl_[2];
    QProgressBar* prg0_;
};

}  // namespace movrand::dialogs
