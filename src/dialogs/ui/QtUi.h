#pragma once
#include "platform/Ui.h"

namespace movrand::dialogs {

// The desktop program's Ui: the program's own windows for messages, questions, the team choice
// and the file picker, and Qt's message box for the error traps.
class QtUi : public platform::Ui {
  public:
    void ShowMessage(const std::string& message, int widthTwips, int heightTwips) override;
    bool AskYesNo(const platform::Question& question) override;
    std::string SelectTeam() override;
    std::string SelectFile(const std::string& path, const std::string& pattern,
                           const std::string& caption) override;
    void ShowPlatformMessage(const std::string& text, platform::MessageIcon icon,
                             const std::string& title) override;
    void SetBusy(bool busy) override;
    bool IsBusy() const override { return busy_; }
    void DoEvents() override;

  private:
    bool busy_ = false;
};

}  // namespace movrand::dialogs
