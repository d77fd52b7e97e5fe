// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/ui/frmAbout.h"

#include "dialogs/SystemInformation.h"
#include "platform/ErrorTrap.h"
#include "platform/VersionRecord.h"
#include "resources/ui/Pictures.h"

namespace movrand::dialogs {

namespace {
constexpr int kWidth = 5730;
constexpr int kHeight = 3555;

QLabel* MakeLabel(QWidget* parent, int index, double points, const char* colour) {
    auto* label = new QLabel(parent);
    label->setObjectName(QStringLiteral("lbl(%1)").arg(index));
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
    // Labels 0 to 2 light grey, the legal notice a light red: dark red is unreadable on the dark
    // skin, this one has a contrast above 4.5:1 against the lightest pixel of its tile.
    lbl_[0] = MakeLabel(this, 0, 14, "#E0E0E0");
    lbl_[1] = MakeLabel(this, 1, 8.25, "#E0E0E0");
    lbl_[2] = MakeLabel(this, 2, 8.25, "#E0E0E0");
    lbl_[3] = MakeLabel(this, 3, 8.25, "#FFA0A0");
    Place(lbl_[0], {1800, 180, 3765, 480});
    Place(lbl_[1], {1800, 660, 3765, 225});
    Place(lbl_[2], {1800, 1005, 3765, 1155});
    Place(lbl_[3], {240, 2280, 3615, 1080});
    img0_ = new QLabel(this);
    img0_->setObjectName(QStringLiteral("img(0)"));
    img0_->setAccessibleName(QStringLiteral("Movrand"));
    Place(img0_, {240, 240, 1500, 915});
    cmd_[0] = new QPushButton(QStringLiteral("OK"), this);
    cmd_[1] = new QPushButton(QStringLiteral("&System Info..."), this);
    for (int i = 0; i < 2; ++i) {
        cmd_[i]->setObjectName(QStringLiteral("cmd(%1)").arg(i));
        connect(cmd_[i], &QPushButton::clicked, this, [this, i] { cmd_Click(i); });
    }
    cmd_[0]->setAccessibleName(QStringLiteral("OK"));
    cmd_[1]->setAccessibleName(QStringLiteral("System Info..."));
    cmd_[0]->setDefault(true);
    SetKeyAnswers([this] { cmd_[0]->click(); }, [this] { cmd_[0]->click(); });
    Place(cmd_[0], {4080, 2520, 1425, 345});
    Place(cmd_[1], {4080, 2970, 1425, 345});
}

void frmAbout::Form_Load() {
    platform::RunTrapped(ui_, platform::TrapForm::Common, pv_.ProgramName, [&] {
        const auto& v = platform::kVersion;
        setWindowTitle(QStringLiteral(" About ") + QString::fromUtf8(v.Title));
        setWindowIcon(resources::LoadResIcon(101));
        PaintSkin();
        lbl_[1]->setText(QString::fromStdString(AboutVersionText()));
        lbl_[0]->setText(QString::fromUtf8(v.Title));
        lbl_[2]->setText(QString::fromUtf8(v.FileDescription) + "\r\n" +
                         QString::fromUtf8(v.Comments) + "\r\n" + QString::fromUtf8(v.CompanyName) +
                         "\r\n" + QString::fromUtf8(v.LegalCopyright));
        lbl_[3]->setText(QString::fromUtf8(v.LegalNotice));
        img0_->setPixmap(resources::LoadResPicture(143));
    });
}

void frmAbout::cmd_Click(int index) {
    platform::RunTrapped(ui_, platform::TrapForm::Common, pv_.ProgramName, [&] {
        if (index == 0)
            close();
        else
            StartSysInfo(pv_, ui_);
    });
}

}  // namespace movrand::dialogs
