// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "platform/Ui.h"

namespace movrand {

// Passes everything on to another Ui, but when the pointer was busy at the start of an
// operation, each window the operation shows (message, question, team choice, picker, error
// report) is shown with the normal pointer and the hourglass comes back when it closes: the
// user must be able to tell that the program waits for an answer.
class NormalPointerUi : public platform::Ui {
  public:
    explicit NormalPointerUi(platform::Ui& inner) : inner_(inner), wasBusy_(inner.IsBusy()) {}

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
    void SetBusy(bool busy) override { inner_.SetBusy(busy); }
    bool IsBusy() const override { return inner_.IsBusy(); }
    void DoEvents() override { inner_.DoEvents(); }

  private:
    template <typename Show>
    auto Modal(Show&& show) {
        struct Restore {
            platform::Ui& ui;
            bool busy;
            ~Restore() {
                if (busy) ui.SetBusy(true);
            }
        } restore{inner_, wasBusy_};
        if (wasBusy_) inner_.SetBusy(false);
        return show();
    }

    platform::Ui& inner_;
    bool wasBusy_;
};

}  // namespace movrand
