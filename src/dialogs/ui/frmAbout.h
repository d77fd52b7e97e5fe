// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QLabel>
#include <QPushButton>

#include "common/ProgramValues.h"
#include "dialogs/ui/SkinnedWindow.h"
#include "platform/Ui.h"

namespace movrand::dialogs {

// The About box: the program's name, version, description and legal notice from its version
// record, with "OK" and "&System Info...", which starts the system information tool.
class frmAbout : public SkinnedWindow {
    Q_OBJECT
  public:
    frmAbout(ProgramValues& pv, platform::Ui& ui, QWidget* parent = nullptr);

    void Form_Load();

  private:
    void cmd_Click(int index);

    ProgramValues& pv_;
    platform::Ui& ui_;
    QLabel* lbl_[4];
    QLabel* img0_;
    QPushButton* cmd_[2];
};

// "Version " + major.minor.revision.
std::string AboutVersionText();

}  // namespace movrand::dialogs
