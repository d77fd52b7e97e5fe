// SPDX-License-Identifier: GPL-3.0-or-later
#include "links/ui/frmURL.h"

#include "dialogs/ui/SkinColours.h"
#include "links/WebsiteAddress.h"
#include "links/ui/frmURLControls.h"
#include "platform/ErrorTrap.h"
#include "resources/PictureIds.h"
#include "resources/ui/Pictures.h"

namespace movrand::links {

using namespace frmURLControls;

namespace {
constexpr int kWidth = 7065;
constexpr int kHeight = 1785;
constexpr const char* kExplanation =
    "The internet address shown below is the address currently held by Halvane for the Zorvex website.  If you can no longer get to the website using Halvane and you know the website has changed it's address, enter the new correct address in the box below and use the green button to save the new value.  If you want to cancel this, use the red button or close this form.";
}  // namespace

frmURL::frmURL(ProgramValues& pv, platform::Ui& ui, QWidget* parent)
    : SkinnedWindow(QStringLiteral("frmURL"), Border::FixedDialog, dialogs::SkinExtent::Full,
                    pv.Env.Rnd, parent),
      pv_(pv),
      ui_(ui) {
    SetTwipsSize(kWidth, kHeight);
    setWindowTitle(QStringLiteral(" Zorvex Internet Address (url)"));
    lbl0_ = new QLabel(QString::fromUtf8(kExplanation), this);
    lbl0_->setObjectName(dialogs::ControlName("lbl", lbl::kExplanation));
    lbl0_->setFont(dialogs::SkinFont(8.25));
    lbl0_->setWordWrap(true);
    lbl0_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lbl0_->setTextFormat(Qt::PlainText);
    lbl0_->setStyleSheet(QStringLiteral("color: #FFFFFF; background: transparent;"));
    Place(lbl0_, {120, 90, 6825, 1020});
    txt0_ = new QLineEdit(this);
    txt0_->setObjectName(dialogs::ControlName("txt", txt::kAddress));
    txt0_->setAccessibleName(QStringLiteral("Website address"));
    txt0_->setFont(dialogs::SkinFont(8.25));
    dialogs::UseSkinListColours(txt0_);
    Place(txt0_, {120, 1200, 4620, 315});
    lbl0_->setBuddy(txt0_);
    img_[img::kSave] = new dialogs::PictureButton(dialogs::ControlName("img", img::kSave),
                                                  QStringLiteral("Save"), this);
    img_[img::kCancel] = new dialogs::PictureButton(dialogs::ControlName("img", img::kCancel),
                                                    QStringLiteral("Cancel"), this);
    PlaceAt(img_[img::kSave], 4920, 1245);
    PlaceAt(img_[img::kCancel], 6000, 1245);
    connect(img_[img::kSave], &dialogs::PictureButton::Clicked, this,
            [this] { img_Click(img::kSave); });
    connect(img_[img::kCancel], &dialogs::PictureButton::Clicked, this,
            [this] { img_Click(img::kCancel); });
    SetKeyAnswers([this] { img_[img::kSave]->Press(); }, [this] { img_[img::kCancel]->Press(); });
}

void frmURL::Form_Load() {
    platform::RunTrapped(ui_, platform::TrapForm::Common, pv_.ProgramName, [&] {
        PaintSkin();
        img_[img::kSave]->SetPicture(resources::kTickPicture);
        img_[img::kCancel]->SetPicture(resources::kCrossPicture);
        for (dialogs::PictureButton* button : img_) button->SetHandPointer(true);
        setWindowIcon(resources::LoadResIcon(resources::kProgramIcon));
        txt0_->setText(QString::fromStdString(pv_.WebsiteURL));
    });
}

void frmURL::img_Click(int index) {
    platform::RunTrapped(ui_, platform::TrapForm::Common, pv_.ProgramName, [&] {
        if (index == img::kSave)
            platform::RunTrapped(ui_, platform::TrapForm::Information, pv_.ProgramName, [&] {
                SaveWebsiteAddress(pv_, ui_, txt0_->text().toStdString());
            });
    });
    close();
}

void ShowURLDialog(ProgramValues& pv, platform::Ui& ui, QWidget* parent) {
    platform::RunTrapped(ui, platform::TrapForm::Critical, pv.ProgramName, [&] {
        frmURL dialog(pv, ui, parent);
        dialog.Form_Load();
        dialog.exec();
    });
}

}  // namespace movrand::links
