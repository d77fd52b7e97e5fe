// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliHelp.h"

#include <cctype>
#include <sstream>
#include <vector>

namespace movrand::cli {

namespace {

// The width of a terminal that --help fits, and the column where every option's and command's
// help starts; a label that reaches into that column stands on its own line.
constexpr std::size_t kWidth = 80;
constexpr std::size_t kHelpColumn = 24;

constexpr const char* kUsageLine =
    "movrand-cli [--gpl PATH] [--prefix PATH] [--yes] [--team NAME] COMMAND [ARGS...]\n";

struct HelpRow {
    std::string Label;
    std::string Help;
};

// The global options, which stand before the command.
const std::vector<HelpRow>& GlobalOptions() {
    static const std::vector<HelpRow> rows = {
        {"--gpl PATH",
         "the GPL installation to work on: a native path "
         "(/home/me/.wine/drive_c/sierra/gpl) or Windows notation (C:\\sierra\\gpl); default: "
         "the installation of the stored DriverIniFile. With --gpl the stored settings are "
         "not changed."},
        {"--prefix PATH",
         "the Wine prefix of this run, as $WINEPREFIX names it; the stored installation is used "
         "only when it lies in that prefix."},
        {"--yes", "answer Yes to every question; without it every question is answered No."},
        {"--team NAME",
         "the answer to the team question (a display name such as Cooper); without it, none."},
        {"-h, --help", "print this text and exit"},
        {"--version", "print the version and exit"},
    };
    return rows;
}

// One row: "  LABEL" and its help, the help's words wrapped into the columns from kHelpColumn to
// kWidth (the line breaks written in the help count as blanks).
void WriteRow(std::ostream& text, const HelpRow& row) {
    std::string line = "  " + row.Label;
    if (line.size() + 2 > kHelpColumn) {
        text << line << '\n';
        line.clear();
    }
    line.resize(kHelpColumn, ' ');
    std::istringstream words(row.Help);
    bool empty = true;
    for (std::string word; words >> word;) {
        if (!empty && line.size() + 1 + word.size() > kWidth) {
            text << line << '\n';
            line = std::string(kHelpColumn, ' ');
            empty = true;
        }
        line += (empty ? "" : " ") + word;
        empty = false;
    }
    line.erase(line.find_last_not_of(' ') + 1);
    if (!line.empty()) text << line << '\n';
}

std::string SynopsisOf(const CliCommand& command) {
    std::string synopsis = command.Name;
    if (*command.Synopsis != '\0') synopsis += std::string(" ") + command.Synopsis;
    return synopsis;
}

// The synopsis in roff: the command and its options bold, the names of arguments italic.
std::string RoffSynopsis(const CliCommand& command) {
    const std::string synopsis = SynopsisOf(command);
    std::string roff;
    for (std::size_t i = 0; i < synopsis.size();) {
        std::size_t end = i;
        while (end < synopsis.size() &&
               (std::isalnum(static_cast<unsigned char>(synopsis[end])) || synopsis[end] == '-'))
            ++end;
        if (end == i) {
            roff += synopsis[i++];
            continue;
        }
        const std::string word = synopsis.substr(i, end - i);
        const bool argument = word.find_first_of("abcdefghijklmnopqrstuvwxyz") == std::string::npos;
        roff += argument ? "\\fI" : "\\fB";
        for (const char c : word) roff += c == '-' ? std::string("\\-") : std::string(1, c);
        roff += "\\fR";
        i = end;
    }
    return roff;
}

}  // namespace

const std::string& UsageText() {
    static const std::string usage = [] {
        std::ostringstream text;
        text << kUsageLine << "\nGlobal options (before the command):\n";
        for (const HelpRow& row : GlobalOptions()) WriteRow(text, row);
        text << "\nCommands:\n";
        for (const CliCommand& command : CliCommandTable())
            WriteRow(text, {SynopsisOf(command), command.Help});
        return text.str();
    }();
    return usage;
}

std::string ManualEntry(const CliCommand& command) {
    return ".TP\n" + RoffSynopsis(command) + "\n" + command.Manual + "\n";
}

}  // namespace movrand::cli
