// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/ui/frmProgress.h"

#include <QCloseEvent>

#include "dialogs/ui/frmProgressControls.h"
#include "resources/PictureIds.h"
#include "resources/ui/Pictures.h"

namespace movrand::dialogs {

using namespace frmProgressControls;

namespace {
constexpr int kWidth = 6105;
constexpr int kHeight = 1560;

QLabel* TextLine(int index, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(ControlName("lbl", index));
    label->setFont(SkinFont(9.75));
    label->setTextFormat(Qt::PlainText);
    label->setStyleSheet(QStringLiteral("color: #FFFFFF; background: transparent;"));
    return label;
}
}  // namespace

frmProgress::frmProgress(platform::Random& rnd, const QString& title, QWidget* parent)
    : SkinnedWindow(QStringLiteral("frmProgress"), Border::FixedDialog, SkinExtent::OneFewer, rnd,
                    parent) {
    SetTwipsSize(kWidth, kHeight);
    setWindowFlag(Qt::WindowCloseButtonHint, false);
    setWindowTitle(title);
    setWindowIcon(resources::LoadResIcon(resources::kProgramIcon));
    lbl_[lbl::kProgress] = TextLine(lbl::kProgress, this);
    Place(lbl_[lbl::kProgress], {240, 180, kWidth - 480, 300});
    lbl_[lbl::kFile] = TextLine(lbl::kFile, this);
    Place(lbl_[lbl::kFile], {240, 510, kWidth - 480, 300});
    prg0_ = new QProgressBar(this);
    prg0_->setObjectName(ControlName("prg", prg::kBar));
    prg0_->setAccessibleName(QStringLiteral("Files copied"));
    prg0_->setTextVisible(false);
    Place(prg0_, {240, 930, kWidth - 480, 315});
    PaintSkin();
}

void frmProgress::Show(const platform::FileProgress& progress) {
    const QString doing = progress.Doing.empty() ? QStringLiteral("Copying files")
                                                 : QString::fromStdString(progress.Doing);
    lbl_[lbl::kProgress]->setText(
        QStringLiteral("%1: %2 of %3").arg(doing).arg(progress.Done).arg(progress.Total));
    const QString current = QString::fromStdString(progress.Current);
    lbl_[lbl::kFile]->setText(lbl_[lbl::kFile]->fontMetrics().elidedText(
        current, Qt::ElideMiddle, lbl_[lbl::kFile]->width()));
    lbl_[lbl::kFile]->setToolTip(current);
    prg0_->setMaximum(progress.Total);
    prg0_->setValue(progress.Done);
}

void frmProgress::closeEvent(QCloseEvent* event) {
    event->ignore();
}

}  // namespace movrand::dialogs
