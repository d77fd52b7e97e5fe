// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/ui/frmYesNo.h"

#include <QApplication>
#include <QCloseEvent>

namespace movrand::dialogs {

frmYesNo::frmYesNo(platform::Random& rnd, QWidget* parent)
    : SkinnedWindow(QStringLiteral("frmYesNo"), Border::None, SkinExtent::Full, rnd, parent) {
    shp_ = new WhiteFrame(this);
    lbl0_ = new MessageLabel(this);
    img_[0] = new PictureButton(QStringLiteral("img(0)"), QStringLiteral("Yes"), this);
    img_[1] = new PictureButton(QStringLiteral("img(1)"), QStringLiteral("No"), this);
    connect(img_[0], &PictureButton::Clicked, this, [this] { Answer(0); });
    connect(img_[1], &PictureButton::Clicked, this, [this] { Answer(1); });
    SetKeyAnswers([this] { img_[0]->Press(); }, [this] { img_[1]->Press(); });
    SetTwipsSize(kYesNoWidth, kYesNoHeight);
    LayOut();
}

frmYesNo::~frmYesNo() {
    RestoreHourglass();
}

void frmYesNo::SetMessage(const std::string& message) {
    message_ = MessageText(message);
    setAccessibleDescription(QString::fromStdString(message_));
}

void frmYesNo::Load() {
    lbl0_->setText(QString::fromStdString(message_));
    const TwipsSize size = YesNoSize(myWidth_, myHeight_);
    SetTwipsSize(size.Width, size.Height);
    LayOut();
    PaintSkin();
    img_[0]->SetPicture(101);
    img_[0]->SetHandPointer(true);
    img_[0]->SetTip(QString::fromStdString(yesTooltip_));
    img_[1]->SetPicture(103);
    img_[1]->SetHandPointer(true);
    img_[1]->SetTip(QString::fromStdString(noTooltip_));
    const QCursor* pointer = QApplication::overrideCursor();
    if (pointer && pointer->shape() == Qt::WaitCursor) {
        hourglassWasShowing_ = true;
        QApplication::restoreOverrideCursor();
    }
}

void frmYesNo::resizeEvent(QResizeEvent* event) {
    SkinnedWindow::resizeEvent(event);
    LayOut();
}

void frmYesNo::closeEvent(QCloseEvent* event) {
    RestoreHourglass();
    SkinnedWindow::closeEvent(event);
}

// A text that needs more room than the size gives makes the window higher first.
void frmYesNo::LayOut() {
    YesNoLayout layout = LayOutYesNo(WidthTwips(), HeightTwips());
    if (layout.Label && GrowForText(*lbl0_, *layout.Label))
        layout = LayOutYesNo(WidthTwips(), HeightTwips());
    if (layout.Label) Place(lbl0_, *layout.Label);
    Place(shp_, layout.Frame);
    PlaceAt(img_[0], layout.Yes.Left, layout.Yes.Top);
    PlaceAt(img_[1], layout.No.Left, layout.No.Top);
}

void frmYesNo::Answer(int index) {
    yes_ = index == 0;
    hide();
}

void frmYesNo::RestoreHourglass() {
    if (!hourglassWasShowing_) return;
    hourglassWasShowing_ = false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

}  // namespace movrand::dialogs
