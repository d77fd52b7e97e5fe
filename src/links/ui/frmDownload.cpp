// SPDX-License-Identifier: GPL-3.0-or-later
#include "links/ui/frmDownload.h"

#include <QLabel>
#include <QLocale>
#include <QProgressBar>

#include "dialogs/ui/frmProgressControls.h"
#include "links/ui/frmDownloadControls.h"
#include "resources/PictureIds.h"

namespace movrand::links {

using namespace frmDownloadControls;
using namespace dialogs::frmProgressControls;

frmDownload::frmDownload(platform::Random& rnd, const QString& fileName, QWidget* parent)
    : frmProgress(rnd, QStringLiteral(" Downloading "), parent), fileName_(fileName) {
    setObjectName(QStringLiteral("frmDownload"));
    auto* cancel = new dialogs::PictureButton(dialogs::ControlName("img", img::kCancel),
                                              QStringLiteral("Cancel"), this);
    cancel->SetPicture(resources::kCrossPicture);
    cancel->SetHandPointer(true);
    cancel->SetTip(QStringLiteral(" Cancel the download "));
    PlaceAt(cancel, 6105 - 1170, 1290);  // below the bar, where frmMsgBox has its button
    connect(cancel, &dialogs::PictureButton::Clicked, this, &frmDownload::Cancelled);
    if (auto* bar = findChild<QProgressBar*>(dialogs::ControlName("prg", prg::kBar)))
        bar->setAccessibleName(QStringLiteral("Bytes downloaded"));
    ShowBytes(0, -1);
}

void frmDownload::ShowBytes(qint64 received, qint64 total) {
    const QLocale locale;
    QString text = QStringLiteral("Downloading: ") + locale.toString(received);
    if (total > 0) text += QStringLiteral(" of ") + locale.toString(total);
    text += QStringLiteral(" bytes");
    if (auto* line = findChild<QLabel*>(dialogs::ControlName("lbl", lbl::kProgress)))
        line->setText(text);
    if (auto* line = findChild<QLabel*>(dialogs::ControlName("lbl", lbl::kFile)))
        line->setText(fileName_);
    if (auto* bar = findChild<QProgressBar*>(dialogs::ControlName("prg", prg::kBar))) {
        // Permille of the total; a bar that runs to and fro when the size is unknown.
        bar->setMaximum(total > 0 ? 1000 : 0);
        bar->setValue(total > 0 ? static_cast<int>(received * 1000 / total) : 0);
    }
}

}  // namespace movrand::links
