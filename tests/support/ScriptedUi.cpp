#include "ScriptedUi.h"

namespace movrand::test {

bool ScriptedUi::AskYesNo(const platform::Question& question) {
    Questions.push_back(question);
    bool answer = DefaultAnswer;
    if (!Answers.empty()) {
        answer = Answers.front();
        Answers.pop_front();
    }
    transcript_.push_back("question: " + question.Message + (answer ? " -> yes" : " -> no"));
    return answer;
}

std::string ScriptedUi::SelectTeam() {
    ++TeamCalls;
    if (Teams.empty()) return "";
    std::string team = Teams.front();
    Teams.pop_front();
    return team;
}

std::string ScriptedUi::SelectFile(const std::string& path, const std::string& pattern,
                                   const std::string& caption) {
    FilePickerCalls.push_back(path + "|" + pattern + "|" + caption);
    if (Files.empty()) return "";
    std::string file = Files.front();
    Files.pop_front();
    return file;
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
