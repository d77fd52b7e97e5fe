// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/ui/frmTeamFolder.h"

#include <QCloseEvent>

#include "dialogs/ui/SkinColours.h"
#include "dialogs/ui/frmTeamFolderControls.h"
#include "platform/ErrorTrap.h"
#include "resources/PictureIds.h"
#include "roster/TeamTable.h"

namespace movrand::dialogs {

using namespace frmTeamFolderControls;

namespace {
constexpr int kWidth = 3600;
constexpr int kHeight = 1785;
}  // namespace

frmTeamFolder::frmTeamFolder(ProgramValues& pv, platform::Ui& ui, QWidget* parent)
    : SkinnedWindow(QStringLiteral("frmTeamFolder"), Border::None, SkinExtent::Full, pv.Env.Rnd,
                    parent),
      pv_(pv),
      ui_(ui) {
    SetTwipsSize(kWidth, kHeight);
    shp_ = new WhiteFrame(this);
    Place(shp_, {0, 0, kWidth, kHeight});
    lbl0_ = new QLabel(
        QStringLiteral("Please select the team that these files are to be added to:"), this);
    lbl0_->setObjectName(ControlName("lbl", lbl::kQuestion));
    setAccessibleName(lbl0_->text());
    lbl0_->setFont(SkinFont(9.75));
    lbl0_->setWordWrap(true);
    lbl0_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lbl0_->setStyleSheet(QStringLiteral("color: #FFFFFF; background: transparent;"));
    Place(lbl0_, {240, 180, 3120, 660});
    cbo0_ = new QComboBox(this);
    cbo0_->setObjectName(ControlName("cbo", cbo::kTeams));
    cbo0_->setAccessibleName(QStringLiteral("Team"));
    cbo0_->setFont(SkinFont(9.75));
    UseSkinListColours(cbo0_);
    Place(cbo0_, {240, 900, 3120, 315});
    img0_ = new PictureButton(ControlName("img", img::kOk), QStringLiteral("OK"), this);
    PlaceAt(img0_, kWidth - 1170, kHeight - 435);
    connect(img0_, &PictureButton::Clicked, this, [this] { OkClicked(); });
    // Escape leaves with no team, as closing the window does.
    SetKeyAnswers([this] { img0_->Press(); }, [this] { close(); });
}

void frmTeamFolder::Load() {
    PaintSkin();
    img0_->SetPicture(resources::kTickPicture);
    img0_->SetHandPointer(true);
    cbo0_->clear();
    for (const movrand::Team& team : TeamsInListOrder())
        cbo0_->addItem(QString::fromStdString(team.DisplayName));
    cbo0_->setCurrentIndex(-1);
}

std::string frmTeamFolder::Team() const {
    if (closedByWindowSystem_) return "";
    return cbo0_->currentText().toStdString();
}

void frmTeamFolder::OkClicked() {
    platform::RunTrapped(ui_, platform::TrapForm::Common, pv_.ProgramName, [&] {
        if (cbo0_->currentText().isEmpty()) {
            ui_.ShowMessage("Please select the team.", kWidth, kHeight);
            return;
        }
        hide();
    });
}

void frmTeamFolder::closeEvent(QCloseEvent* event) {
    if (isVisible()) closedByWindowSystem_ = true;
    SkinnedWindow::closeEvent(event);
}

}  // namespace movrand::dialogs
