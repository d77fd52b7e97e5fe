// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QComboBox>
#include <string>

#include "common/ProgramValues.h"
#include "dialogs/ui/PictureButton.h"
#include "dialogs/ui/SkinnedWindow.h"
#include "platform/Ui.h"

namespace movrand::dialogs {

// The team window: asks which of the game's teams an add-on's files are for, when the add-on
// does not say so itself. OK with a team chosen hides it; the caller then reads the team.
class frmTeamFolder : public SkinnedWindow {
    Q_OBJECT
  public:
    frmTeamFolder(ProgramValues& pv, platform::Ui& ui, QWidget* parent = nullptr);

    // Paints the skin, sets up OK and fills the list with the seven names, none chosen.
    void Load();
    // The chosen display name; "" when nothing was chosen or the window was closed by the
    // window system.
    std::string Team() const;

    QComboBox* TeamList() const { return cbo0_; }
    PictureButton* OkButton() const { return img0_; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void OkClicked();

    ProgramValues& pv_;
    platform::Ui& ui_;
    bool closedByWindowSystem_ = false;
    QLabel* lbl0_;
    QComboBox* cbo0_;
    PictureButton* img0_;
    WhiteFrame* shp_;
};

}  // namespace movrand::dialogs
