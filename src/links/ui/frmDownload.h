// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "dialogs/ui/PictureButton.h"
#include "dialogs/ui/frmProgress.h"

namespace movrand::links {

// The progress window of a download: the bytes received (of the total, when known), the file it
// goes to, a bar, and a red Cancel button. Escape and the title bar's close button cancel it too.
class frmDownload : public dialogs::frmProgress {
    Q_OBJECT
  public:
    frmDownload(platform::Random& rnd, const QString& fileName, QWidget* parent);
    void ShowBytes(qint64 received, qint64 total);

  signals:
    void Cancelled();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    QString fileName_;
};

}  // namespace movrand::links
