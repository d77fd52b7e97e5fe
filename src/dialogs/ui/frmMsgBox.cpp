// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/ui/frmMsgBox.h"

#include "dialogs/ui/frmMsgBoxControls.h"
#include "resources/PictureIds.h"

namespace movrand::dialogs {

using namespace frmMsgBoxControls;

frmMsgBox::frmMsgBox(platform::Random& rnd, QWidget* parent)
    : SkinnedWindow(QStringLiteral("frmMsgBox"), Border::None, SkinExtent::Full, rnd, parent) {
    shp_ = new WhiteFrame(this);
    area_ = new MessageArea(this);
    area_->Label()->setObjectName(ControlName("lbl", lbl::kMessage));
    area_->Above()->setObjectName(ControlName("lbl", lbl::kAboveList));
    area_->Below()->setObjectName(ControlName("lbl", lbl::kBelowList));
    img0_ = new PictureButton(ControlName("img", img::kOk), QStringLiteral("OK"), this);
    connect(img0_, &PictureButton::Clicked, this, [this] { close(); });
    SetKeyAnswers([this] { img0_->Press(); }, [this] { img0_->Press(); });
    SetTwipsSize(kMsgBoxWidth, kMsgBoxHeight);
    LayOut();
}

void frmMsgBox::SetMessage(const std::string& message) {
    message_ = MessageText(message);
    NameAfterText(message_);
}

void frmMsgBox::Load() {
    LayOut();
    PaintSkin();
    img0_->SetPicture(resources::kTickPicture);
    img0_->SetHandPointer(true);
}

void frmMsgBox::Move(int width, int height) {
    const TwipsSize size = MsgBoxSize(width, height);
    SetTwipsSize(size.Width, size.Height);  // the resize handler lays out and repaints
}

void frmMsgBox::resizeEvent(QResizeEvent* event) {
    SkinnedWindow::resizeEvent(event);
    LayOut();
    PaintSkin();
}

// Every step that the size allows; a label that would be narrower than nothing is left alone. A
// text that needs more room than the size gives makes the window higher first.
void frmMsgBox::LayOut() {
    area_->SetText(QString::fromStdString(message_));
    MsgBoxLayout layout = LayOutMsgBox(WidthTwips(), HeightTwips());
    if (layout.Label && GrowForText(area_->Whole(), *layout.Label))
        layout = LayOutMsgBox(WidthTwips(), HeightTwips());
    if (layout.Label) area_->SetBox(PixelBox(*layout.Label));
    PlaceAt(img0_, layout.Ok.Left, layout.Ok.Top);
    Place(shp_, layout.Frame);
}

}  // namespace movrand::dialogs
