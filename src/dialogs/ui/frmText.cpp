// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/ui/frmText.h"

#include "dialogs/ui/SkinColours.h"
#include "dialogs/ui/frmTextControls.h"
#include "resources/PictureIds.h"
#include "resources/ui/Pictures.h"

namespace movrand::dialogs {

using namespace frmTextControls;

namespace {
constexpr int kWidth = 7065;
constexpr int kHeight = 1305;
}  // namespace

frmText::frmText(platform::Random& rnd, QWidget* parent)
    : SkinnedWindow(QStringLiteral("frmText"), Border::FixedDialog, SkinExtent::Full, rnd, parent) {
    SetTwipsSize(kWidth, kHeight);
    lbl0_ = new QLabel(this);
    lbl0_->setObjectName(ControlName("lbl", lbl::kMessage));
    lbl0_->setFont(SkinFont(8.25));
    lbl0_->setWordWrap(true);
    lbl0_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lbl0_->setTextFormat(Qt::PlainText);
    lbl0_->setStyleSheet(QStringLiteral("color: #FFFFFF; background: transparent;"));
    Place(lbl0_, {120, 90, 6825, 540});
    txt0_ = new QLineEdit(this);
    txt0_->setObjectName(ControlName("txt", txt::kText));
    txt0_->setFont(SkinFont(8.25));
    UseSkinListColours(txt0_);
    Place(txt0_, {120, 720, 4620, 315});
    lbl0_->setBuddy(txt0_);
    img_[img::kSave] =
        new PictureButton(ControlName("img", img::kSave), QStringLiteral("Save"), this);
    img_[img::kCancel] =
        new PictureButton(ControlName("img", img::kCancel), QStringLiteral("Cancel"), this);
    PlaceAt(img_[img::kSave], 4920, 765);
    PlaceAt(img_[img::kCancel], 6000, 765);
    for (int index : {img::kSave, img::kCancel})
        connect(img_[index], &PictureButton::Clicked, this, [this, index] { img_Click(index); });
    SetKeyAnswers([this] { img_[img::kSave]->Press(); }, [this] { img_[img::kCancel]->Press(); });
}

void frmText::Load(const std::string& message, const std::string& text) {
    setWindowTitle(QStringLiteral(" ") + QString::fromStdString(message) + QStringLiteral(" "));
    lbl0_->setText(QString::fromStdString(message));
    txt0_->setAccessibleName(QString::fromStdString(message));
    txt0_->setText(QString::fromStdString(text));
    txt0_->selectAll();
    PaintSkin();
    img_[img::kSave]->SetPicture(resources::kTickPicture);
    img_[img::kCancel]->SetPicture(resources::kCrossPicture);
    for (PictureButton* button : img_) button->SetHandPointer(true);
    setWindowIcon(resources::LoadResIcon(resources::kProgramIcon));
    txt0_->setFocus();
}

void frmText::img_Click(int index) {
    if (index == img::kSave) answer_ = txt0_->text().toStdString();
    close();
}

}  // namespace movrand::dialogs
