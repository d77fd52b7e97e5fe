// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ConsoleUi.h"

namespace movrand::cli {

std::string OneLine(const std::string& text) {
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            line += "\\n";
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            line += text[i];
        }
    }
    return line;
}

namespace {

// An error report on one line, as tools that read standard error line by line take it: the
// number and the description are separated by a blank ("error: 76 Path not found: C:\...").
std::string ErrorLine(const std::string& text) {
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            line += ' ';
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            line += text[i];
        }
    }
    return line;
}

}  // namespace

void ConsoleUi::ShowMessage(const std::string& message, int, int) {
    ++messages_;
    out_ << "message: " << OneLine(message) << '\n';
}

bool ConsoleUi::AskYesNo(const platform::Question& question) {
    out_ << "question: " << OneLine(question.Message) << '\n'
         << "answer: " << (answerYes_ ? "yes" : "no") << '\n';
    if (!answerYes_) answeredNo_ = true;
    return answerYes_;
}

void ConsoleUi::ShowPlatformMessage(const std::string& text, platform::MessageIcon,
                                    const std::string&) {
    errorReported_ = true;
    out_.flush();
    err_ << "error: " << ErrorLine(text) << '\n';
}

int ConsoleUi::ChooseInstallation(const std::vector<platform::InstallationLine>& lines) {
    out_.flush();
    err_ << "movrand-cli: several GPL installations were found and none is stored:\n";
    for (const platform::InstallationLine& line : lines)
        err_ << "  " << line.Prefix << '\t' << line.DriverIniFile << '\n';
    err_ << "Name one with --gpl PATH (and --prefix PREFIX), or store one with "
            "\"movrand-cli switch PATH\"; nothing was done.\n";
    return platform::kChoiceRefused;
}

}  // namespace movrand::cli
