// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliHelp.h"

#include <cctype>
#include <sstream>

namespace movrand::cli {

namespace {

// The global options, which stand before the command.
constexpr const char* kGlobalOptions =
    R"(movrand-cli [--gpl PATH] [--prefix PATH] [--yes] [--team NAME] COMMAND [ARGS...]
  --gpl PATH     the GPL installation to work on: a native path (/home/me/.wine/drive_c/sierra/gpl)
                 or Windows notation (C:\sierra\gpl); default: the installation of the stored
                 DriverIniFile. With --gpl the stored settings are not changed.
  --prefix PATH  the Wine prefix of this run, as $WINEPREFIX names it (global options such as
                 this one stand before the command); the stored installation is used only when
                 it lies in that prefix.
  --yes          answer Yes to every question; without it every question is answered No.
  --team NAME    the answer to the team question (a display name such as Cooper); without it, none.
  -h, --help     print this text and exit
  --version      print the version and exit

)";

// The column where a command's help lines start.
constexpr std::size_t kHelpColumn = 31;

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
        text << kGlobalOptions;
        const std::string indent(kHelpColumn, ' ');
        for (const CliCommand& command : CliCommandTable()) {
            std::string line = "  " + SynopsisOf(command);
            line = line.size() < kHelpColumn ? line + std::string(kHelpColumn - line.size(), ' ')
                                             : line + "\n" + indent;
            std::istringstream help(command.Help);
            std::string helpLine;
            for (bool first = true; std::getline(help, helpLine); first = false)
                text << (first ? line : indent) << helpLine << '\n';
        }
        return text.str();
    }();
    return usage;
}

std::string ManualEntry(const CliCommand& command) {
    return ".TP\n" + RoffSynopsis(command) + "\n" + command.Manual + "\n";
}

}  // namespace movrand::cli
