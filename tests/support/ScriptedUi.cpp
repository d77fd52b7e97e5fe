// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptedUi.h"

namespace movrand::test {

namespace {
// The next scripted answer, or `otherwise` when the script has run out.
template <typename T>
T Next(std::deque<T>& script, T otherwise) {
    if (script.empty()) return otherwise;
    T next = std::move(script.front());
    script.pop_front();
    return next;
}
}  // namespace

bool ScriptedUi::AskYesNo(const platform::Question& question) {
    Questions.push_back(question);
    const bool answer = Next(Answers, DefaultAnswer);
    transcript_.push_back("question: " + question.Message + (answer ? " -> yes" : " -> no"));
    return answer;
}

std::optional<std::string> ScriptedUi::AskText(const std::string& message,
                                               const std::string& text) {
    const std::optional<std::string> answer = Next(Texts, std::optional<std::string>());
    transcript_.push_back("text: " + message + " [" + text + "] -> " +
                          (answer ? "\"" + *answer + "\"" : "cancel"));
    return answer;
}

std::string ScriptedUi::SelectTeam() {
    ++TeamCalls;
    return Next(Teams, std::string());
}

std::string ScriptedUi::SelectFile(const std::string& path, const std::string& pattern,
                                   const std::string& caption) {
    FilePickerCalls.push_back(path + "|" + pattern + "|" + caption);
    return Next(Files, std::string());
}

std::string ScriptedUi::SaveFile(const std::string& path, const std::string& name,
                                 const std::string& suffix, const std::string& caption) {
    FilePickerCalls.push_back("save:" + path + "|" + name + "|" + suffix + "|" + caption);
    return Next(Files, std::string());
}

void ScriptedUi::ShowPlatformMessage(const std::string& text, platform::MessageIcon icon,
                                     const std::string& title) {
    Traps.push_back({text, icon, title});
    transcript_.push_back("trap: " + title + ": " + text);
}

std::string ScriptedUi::Transcript() const {
    std::string all;
    for (const std::string& line : transcript_) all += line + "\n";
    return all;
}

}  // namespace movrand::test
