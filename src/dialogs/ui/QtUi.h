// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QElapsedTimer>
#include <chrono>
#include <memory>

#include "common/ProgramValues.h"
#include "platform/Ui.h"

class QWidget;

namespace movrand::dialogs {

class frmProgress;

// The desktop program's Ui: the program's own skinned windows for messages, questions, the team
// choice and the file picker, and the platform's message box for the error traps. It works over
// the run's program-wide values (the random sequence of the skin, the drives of the picker, the
// program's name in error reports).
class QtUi : public platform::Ui {
  public:
    explicit QtUi(ProgramValues& pv);
    // Over values of its own, read from the process environment.
    QtUi();
    ~QtUi() override;

    void ShowMessage(const std::string& message, int widthTwips = 0, int heightTwips = 0) override;
    bool AskYesNo(const platform::Question& question) override;
    std::optional<std::string> AskText(const std::string& message,
                                       const std::string& text) override;
    std::string SelectTeam() override;
    std::string SelectFile(const std::string& path, const std::string& pattern,
                           const std::string& caption) override;
    std::string SaveFile(const std::string& path, const std::string& name,
                         const std::string& suffix, const std::string& caption) override;
    void ShowPlatformMessage(const std::string& text, platform::MessageIcon icon,
                             const std::string& title) override;
    int ChooseInstallation(const std::vector<platform::InstallationLine>& lines) override;
    void SetBusy(bool busy) override;
    bool IsBusy() const override { return busy_; }
    void DoEvents() override;
    void ShowFileProgress(const platform::FileProgress& progress) override;
    void EndFileProgress() override;

    // How long file work runs before its progress window shows (about half a second: shorter
    // work shows none, so nothing flickers).
    void SetProgressDelay(std::chrono::milliseconds delay) { progressDelay_ = delay; }

  private:
    // The window a new dialog is centred on and modal to.
    static QWidget* DialogParent();

    std::unique_ptr<ProgramValues> own_;
    ProgramValues& pv_;
    bool busy_ = false;
    std::chrono::milliseconds progressDelay_{500};
    QElapsedTimer workClock_;    // since the file work began
    QElapsedTimer paintClock_;   // since the windows were last let paint
    QElapsedTimer eventsClock_;  // since DoEvents last let the windows paint
    std::unique_ptr<frmProgress> progress_;
};

}  // namespace movrand::dialogs
