// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <deque>
#include <string>
#include <vector>

#include "platform/Ui.h"

namespace movrand::test {

// A Ui that records everything shown and asked, and answers from a script.
class ScriptedUi : public platform::Ui {
  public:
    struct Shown {
        std::string Text;
        int Width = 0;
        int Height = 0;
    };
    struct Trap {
        std::string Text;
        platform::MessageIcon Icon;
        std::string Title;
    };

    // Answers, used in order; when they run out questions are answered `DefaultAnswer`, the team
    // window gives "" and the picker "".
    std::deque<bool> Answers;
    bool DefaultAnswer = false;
    std::deque<std::string> Teams;
    std::deque<std::string> Files;
    std::deque<int> Choices;  // the installation chooser's answers; kChoiceCancelled when none
    std::deque<std::optional<std::string>> Texts;  // the text window's; nullopt (cancel) when none

    std::vector<Shown> Messages;
    std::vector<platform::Question> Questions;
    std::vector<Trap> Traps;
    std::vector<std::string> FilePickerCalls;  // path|pattern|caption
    std::vector<std::vector<platform::InstallationLine>> ChooserCalls;
    int TeamCalls = 0;
    int EventsRun = 0;

    void ShowMessage(const std::string& message, int widthTwips, int heightTwips) override {
        Messages.push_back({message, widthTwips, heightTwips});
        transcript_.push_back("message: " + message);
    }
    bool AskYesNo(const platform::Question& question) override;
    std::optional<std::string> AskText(const std::string& message,
                                       const std::string& text) override;
    std::string SelectTeam() override;
    std::string SelectFile(const std::string& path, const std::string& pattern,
                           const std::string& caption) override;
    // Recorded as "save:path|name|suffix|caption" and answered from Files.
    std::string SaveFile(const std::string& path, const std::string& name,
                         const std::string& suffix, const std::string& caption) override;
    void ShowPlatformMessage(const std::string& text, platform::MessageIcon icon,
                             const std::string& title) override;
    void SetBusy(bool busy) override { busy_ = busy; }
    bool IsBusy() const override { return busy_; }
    void DoEvents() override { ++EventsRun; }
    int ChooseInstallation(const std::vector<platform::InstallationLine>& lines) override {
        ChooserCalls.push_back(lines);
        if (Choices.empty()) return platform::kChoiceCancelled;
        const int choice = Choices.front();
        Choices.pop_front();
        return choice;
    }

    // Everything shown so far, one text per line (messages, questions, traps), for assertions.
    std::string Transcript() const;

  private:
    bool busy_ = false;
    std::vector<std::string> transcript_;
};

}  // namespace movrand::test
