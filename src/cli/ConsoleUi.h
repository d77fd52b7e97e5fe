// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <ostream>
#include <string>

#include "platform/Ui.h"

namespace movrand::cli {

// The text of a message on one line: each line break ("\r\n", "\n" or "\r") becomes the two
// characters "\n".
std::string OneLine(const std::string& text);

// The Ui of movrand-cli. Messages and questions go to standard output ("message: ...",
// "question: ..." and "answer: yes|no"), the error traps' reports to standard error
// ("error: ...", on one line). Questions are answered from --yes, the team question from --team;
// the file picker is always cancelled.
class ConsoleUi : public platform::Ui {
  public:
    ConsoleUi(std::ostream& out, std::ostream& err, bool answerYes, std::string team)
        : out_(out), err_(err), answerYes_(answerYes), team_(std::move(team)) {}

    void ShowMessage(const std::string& message, int widthTwips, int heightTwips) override;
    bool AskYesNo(const platform::Question& question) override;
    std::string SelectTeam() override { return team_; }
    std::string SelectFile(const std::string&, const std::string&, const std::string&) override {
        return "";
    }
    void ShowPlatformMessage(const std::string& text, platform::MessageIcon icon,
                             const std::string& title) override;
    // Several installations and none stored: says which, and how to name one; nothing is chosen.
    int ChooseInstallation(const std::vector<platform::InstallationLine>& lines) override;
    void SetBusy(bool busy) override { busy_ = busy; }
    bool IsBusy() const override { return busy_; }
    void DoEvents() override {}

    // An error was reported (exit status 3).
    bool ErrorReported() const { return errorReported_; }
    // A question was answered No.
    bool AnsweredNo() const { return answeredNo_; }
    // Messages shown so far.
    int MessagesShown() const { return messages_; }

  private:
    std::ostream& out_;
    std::ostream& err_;
    bool answerYes_;
    std::string team_;
    bool busy_ = false;
    bool errorReported_ = false;
    bool answeredNo_ = false;
    int messages_ = 0;
};

}  // namespace movrand::cli
