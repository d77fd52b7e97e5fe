// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/ui/frmYesNo.h"

#include <QApplication>
#include <QCloseEvent>

#include "dialogs/ui/frmYesNoControls.h"
#include "resources/PictureIds.h"

namespace movrand::dialogs {

using namespace frmYesNoControls;

frmYesNo::frmYesNo(platform::Random& rnd, QWidget* parent)
    : SkinnedWindow(QStringLiteral("frmYesNo"), Border::None, SkinExtent::Full, rnd, parent) {
    shp_ = new WhiteFrame(this);
    area_ = new MessageArea(this);
    area_->Label()->setObjectName(ControlName("lbl", lbl::kMessage));
    area_->Above()->setObjectName(ControlName("lbl", lbl::kAboveList));
    area_->Below()->setObjectName(ControlName("lbl", lbl::kBelowList));
    img_[img::kYes] = new PictureButton(ControlName("img", img::kYes), QStringLiteral("Yes"), this);
    img_[img::kNo] = new PictureButton(ControlName("img", img::kNo), QStringLiteral("No"), this);
    connect(img_[img::kYes], &PictureButton::Clicked, this, [this] { Answer(img::kYes); });
    connect(img_[img::kNo], &PictureButton::Clicked, this, [this] { Answer(img::kNo); });
    SetKeyAnswers([this] { img_[img::kYes]->Press(); }, [this] { img_[img::kNo]->Press(); });
    SetTwipsSize(kYesNoWidth, kYesNoHeight);
    LayOut();
}

frmYesNo::~frmYesNo() {
    RestoreHourglass();
}

void frmYesNo::SetMessage(const std::string& message) {
    message_ = MessageText(message);
    NameAfterText(message_);
}

void frmYesNo::Load() {
    area_->SetText(QString::fromStdString(message_));
    const TwipsSize size = YesNoSize(myWidth_, myHeight_);
    SetTwipsSize(size.Width, size.Height);
    LayOut();
    PaintSkin();
    img_[img::kYes]->SetPicture(resources::kTickPicture);
    img_[img::kYes]->SetHandPointer(true);
    img_[img::kYes]->SetTip(QString::fromStdString(yesTooltip_));
    img_[img::kNo]->SetPicture(resources::kCrossPicture);
    img_[img::kNo]->SetHandPointer(true);
    img_[img::kNo]->SetTip(QString::fromStdString(noTooltip_));
    if (noByDefault_) {
        SetKeyAnswers([this] { img_[img::kNo]->Press(); }, [this] { img_[img::kNo]->Press(); });
        img_[img::kNo]->setFocus();
    }
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
    if (layout.Label && GrowForText(area_->Whole(), *layout.Label))
        layout = LayOutYesNo(WidthTwips(), HeightTwips());
    if (layout.Label) area_->SetBox(PixelBox(*layout.Label));
    Place(shp_, layout.Frame);
    PlaceAt(img_[img::kYes], layout.Yes.Left, layout.Yes.Top);
    PlaceAt(img_[img::kNo], layout.No.Left, layout.No.Top);
}

void frmYesNo::Answer(int index) {
    yes_ = index == img::kYes;
    hide();
}

void frmYesNo::RestoreHourglass() {
    if (!hourglassWasShowing_) return;
    hourglassWasShowing_ = false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

}  // namespace movrand::dialogs
