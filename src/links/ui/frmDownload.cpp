// SPDX-License-Identifier: GPL-3.0-or-later
#include "links/ui/frmDownload.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>

#include "dialogs/ui/frmProgressControls.h"
#include "links/ui/frmDownloadControls.h"
#include "resources/PictureIds.h"

namespace movrand::links {

using namespace frmDownloadControls;
using namespace dialogs::frmProgressControls;

namespace {
constexpr int kWidth = 6105;
constexpr int kHeight = 2010;
constexpr int kCancelTop = 1470;  // the bar ends at 1245
}  // namespace

frmDownload::frmDownload(platform::Random& rnd, const QString& fileName, QWidget* parent)
    : frmProgress(rnd, QStringLiteral(" Downloading "), parent), fileName_(fileName) {
    setObjectName(QStringLiteral("frmDownload"));
    // Unlike file work, a download can stop at any moment: its title bar can close it.
    setWindowFlag(Qt::WindowCloseButtonHint, true);
    // Room below the bar for the button and its focus ring, and a margin under it.
    SetTwipsSize(kWidth, kHeight);
    PaintSkin();
    auto* cancel = new dialogs::PictureButton(dialogs::ControlName("img", img::kCancel),
                                              QStringLiteral("Cancel"), this);
    cancel->SetPicture(resources::kCrossPicture);
    cancel->SetHandPointer(true);
    cancel->SetTip(QStringLiteral(" Cancel the download "));
    PlaceAt(cancel, kWidth - 1170, kCancelTop);
    connect(cancel, &dialogs::PictureButton::Clicked, this, &frmDownload::Cancelled);
    SetKeyAnswers({}, [cancel] { cancel->Press(); });
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

namespace movrand::links {

void frmDownload::closeEvent(QCloseEvent* event) {
    event->ignore();  // the end of the download closes the window
    emit Cancelled();
}

}  // namespace movrand::links
