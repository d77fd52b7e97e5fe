// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/ui/frmAbout.h"

#include "dialogs/SystemInformation.h"
#include "dialogs/ui/frmAboutControls.h"
#include "platform/ErrorTrap.h"
#include "platform/VersionRecord.h"
#include "resources/PictureIds.h"
#include "resources/ui/Pictures.h"

namespace movrand::dialogs {

using namespace frmAboutControls;

namespace {
constexpr int kWidth = 5730;
constexpr int kHeight = 3555;

QLabel* MakeLabel(QWidget* parent, int index, double points, const char* colour) {
    auto* label = new QLabel(parent);
    label->setObjectName(ControlName("lbl", index));
    label->setFont(SkinFont(points));
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setStyleSheet(QStringLiteral("color: %1; background: transparent;").arg(colour));
    return label;
}
}  // namespace

std::string AboutVersionText() {
    const auto& v = platform::kVersion;
    return "Version " + std::to_string(v.Major) + "." + std::to_string(v.Minor) + "." +
           std::to_string(v.Revision);
}

frmAbout::frmAbout(ProgramValues& pv, platform::Ui& ui, QWidget* parent)
    : SkinnedWindow(QStringLiteral("frmAbout"), Border::FixedDialog, SkinExtent::OneFewer,
                    pv.Env.Rnd, parent),
      pv_(pv),
      ui_(ui) {
    SetTwipsSize(kWidth, kHeight);
    // The title, version and description light grey, the legal notice a light red: dark red is
    // unreadable on the dark skin, this one has a contrast above 4.5:1 against the lightest pixel
    // of its tile.
    lbl_[lbl::kTitle] = MakeLabel(this, lbl::kTitle, 14, "#E0E0E0");
    lbl_[lbl::kVersion] = MakeLabel(this, lbl::kVersion, 8.25, "#E0E0E0");
    lbl_[lbl::kDescription] = MakeLabel(this, lbl::kDescription, 8.25, "#E0E0E0");
    lbl_[lbl::kLegalNotice] = MakeLabel(this, lbl::kLegalNotice, 8.25, "#FFA0A0");
    Place(lbl_[lbl::kTitle], {1800, 180, 3765, 480});
    Place(lbl_[lbl::kVersion], {1800, 660, 3765, 225});
    Place(lbl_[lbl::kDescription], {1800, 1005, 3765, 1155});
    Place(lbl_[lbl::kLegalNotice], {240, 2280, 3615, 1080});
    img0_ = new QLabel(this);
    img0_->setObjectName(ControlName("img", img::kPicture));
    img0_->setAccessibleName(QStringLiteral("Movrand"));
    Place(img0_, {240, 240, 1500, 915});
    cmd_[cmd::kOk] = new QPushButton(QStringLiteral("OK"), this);
    cmd_[cmd::kSystemInfo] = new QPushButton(QStringLiteral("&System Info..."), this);
    for (int i = 0; i < 2; ++i) {
        cmd_[i]->setObjectName(ControlName("cmd", i));
        connect(cmd_[i], &QPushButton::clicked, this, [this, i] { cmd_Click(i); });
    }
    cmd_[cmd::kOk]->setAccessibleName(QStringLiteral("OK"));
    cmd_[cmd::kSystemInfo]->setAccessibleName(QStringLiteral("System Info..."));
    cmd_[cmd::kOk]->setDefault(true);
    SetKeyAnswers([this] { cmd_[cmd::kOk]->click(); }, [this] { cmd_[cmd::kOk]->click(); });
    Place(cmd_[cmd::kOk], {4080, 2520, 1425, 345});
    Place(cmd_[cmd::kSystemInfo], {4080, 2970, 1425, 345});
}

void frmAbout::Form_Load() {
    platform::RunTrapped(ui_, platform::TrapForm::Common, pv_.ProgramName, [&] {
        const auto& v = platform::kVersion;
        setWindowTitle(QStringLiteral(" About ") + QString::fromUtf8(v.Title));
        setWindowIcon(resources::LoadResIcon(resources::kProgramIcon));
        PaintSkin();
        lbl_[lbl::kVersion]->setText(QString::fromStdString(AboutVersionText()));
        lbl_[lbl::kTitle]->setText(QString::fromUtf8(v.Title));
        lbl_[lbl::kDescription]->setText(
            QString::fromUtf8(v.FileDescription) + "\r\n" + QString::fromUtf8(v.Comments) + "\r\n" +
            QString::fromUtf8(v.CompanyName) + "\r\n" + QString::fromUtf8(v.LegalCopyright));
        lbl_[lbl::kLegalNotice]->setText(QString::fromUtf8(v.LegalNotice));
        img0_->setPixmap(resources::LoadResPicture(resources::kAboutPicture));
    });
}

void frmAbout::cmd_Click(int index) {
    platform::RunTrapped(ui_, platform::TrapForm::Common, pv_.ProgramName, [&] {
        if (index == cmd::kOk)
            close();
        else
            StartSysInfo(pv_, ui_);
    });
}

}  // namespace movrand::dialogs
