#pragma once
#include <QLabel>
#include <QProgressBar>

#include "dialogs/ui/SkinnedWindow.h"
#include "platform/Ui.h"

namespace movrand::dialogs {

// The progress window of long file work: how many files of how many are done, the file being
// carried now and a bar. It has no buttons: the work runs to its end, and closing the window
// from its title bar does nothing.
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
