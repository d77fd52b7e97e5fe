// SPDX-License-Identifier: GPL-3.0-or-later
#include "installation/GameStart.h"

#include <cstdint>

#include "common/Functions.h"
#include "platform/ErrorTrap.h"
#include "platform/RuntimeError.h"
#include "wine/GameProcesses.h"

namespace movrand {
namespace fs = std::filesystem;
using platform::Launcher;
using platform::ProgramCommand;

namespace {

bool AllDigits(const std::string& text) {
    return !text.empty() && text.size() <= 19 &&
           text.find_first_not_of("0123456789") == std::string::npos;
}

// Steam starts a game added by hand (GPL is one) by its 64-bit game id: the shortcut's app id
// (which has its top bit set, and names its compatdata folder) shifted up, with the mark of a
// shortcut.
std::string SteamGameId(const std::string& appId) {
    const std::uint64_t id = std::stoull(appId);
    if (id < 0x80000000ULL || id > 0xFFFFFFFFULL) return appId;
    return std::to_string((id << 32) | 0x02000000ULL);
}

// The launcher's own program and its arguments, through `flatpak run` for its Flatpak.
ProgramCommand Through(const platform::LauncherOrigin& origin, const std::string& program,
                       std::vector<std::string> arguments) {
    ProgramCommand command;
    if (origin.Flatpak.empty()) {
        command.Arguments = {program};
    } else {
        command.Arguments = {"flatpak", "run"};
        if (origin.Through == Launcher::Bottles)
            command.Arguments.push_back("--command=" + program);
        command.Arguments.push_back(origin.Flatpak);
    }
    command.Arguments.insert(command.Arguments.end(), arguments.begin(), arguments.end());
    return command;
}

}  // namespace

ProgramCommand GameStartCommand(const Installation& installation, const fs::path& gameExe) {
    const platform::LauncherOrigin& origin = installation.Origin;
    const std::string& game = origin.Game;
    switch (game.empty() ? Launcher::Wine : origin.Through) {
        case Launcher::Lutris:
            return Through(
                origin, "lutris",
                {AllDigits(game) ? "lutris:rungameid/" + game : "lutris:rungame/" + game});
        case Launcher::Steam:
            if (!AllDigits(game)) break;
            return Through(origin, "steam", {"steam://rungameid/" + SteamGameId(game)});
        case Launcher::Bottles:
            return Through(origin, "bottles-cli", {"run", "-b", game, "-e", gameExe.string()});
        case Launcher::Q4Wine:
            // Runs the program in the named prefix with the Wine and settings q4wine keeps for it.
            return Through(origin, "q4wine-cli", {"-p", game, "-b", gameExe.string()});
        case Launcher::Heroic: {
            const std::string url = "heroic://launch/" + game;
            // Heroic's own program, or the desktop's handler of its addresses.
            if (origin.Flatpak.empty() && !platform::FindOnPath("heroic") &&
                platform::FindOnPath("xdg-open"))
                return {{"xdg-open", url}, {}, {}};
            return Through(origin, "heroic", {url});
        }
        default:
            break;
    }
    ProgramCommand wine{{"wine", gameExe.filename().string()}, {}, gameExe.parent_path()};
    if (!installation.Prefix.empty()) wine.Environment = {{"WINEPREFIX", installation.Prefix}};
    return wine;
}

bool StartGame(const ProgramValues& pv, platform::Ui& ui) {
    const std::string gplFolder = FolderOfPath(pv.DriverIniFile);
    fs::path gameExe;
    try {
        if (!gplFolder.empty() && pv.Files().FileExists(gplFolder + "gpl.exe"))
            gameExe = pv.Files().Native(gplFolder + "gpl.exe");
    } catch (const platform::RuntimeError&) {
        // A drive that is not ready: told below as a missing game.
    }
    if (gameExe.empty()) {
        ui.ShowMessage("GPL cannot be started: there is no gpl.exe in " +
                       (gplFolder.empty() ? std::string("the installation") : gplFolder) + ".");
        return false;
    }
    // A second game in the same prefix fights the first over its files and the sound card.
    if (!pv.Env.WinePrefix.empty() && platform::GameRunsInPrefix(pv.Env.WinePrefix)) {
        platform::Question question;
        question.Message = "GPL is already running. Start it again?";
        question.YesTooltip = "Start a second GPL";
        question.NoTooltip = "Leave the running GPL alone";
        question.NoByDefault = true;
        if (!ui.AskYesNo(question)) return false;
    }
    Installation installation{pv.Env.WinePrefix, pv.DriverIniFile};
    installation.Origin =
        OriginOfInstallation({pv.Env.Home, pv.Env.ConfigHome, pv.Env.DataHome}, installation);
    // A game file Lutris's database does not list is no game of its library yet: Lutris would
    // open and start nothing.
    if (installation.Origin.Through == Launcher::Lutris && !installation.Origin.Game.empty() &&
        !AllDigits(installation.Origin.Game)) {
        ui.ShowMessage("GPL cannot be started: Lutris does not list the game " +
                       installation.Origin.Game +
                       " in its library yet (its game file is there, its database is not). Open "
                       "Lutris once so that it takes the game in, then start GPL again.");
        return false;
    }
    const ProgramCommand command = GameStartCommand(installation, gameExe);
    const std::string& program = command.Arguments.front();
    const bool wine = program == "wine";
    const std::string launcher =
        wine ? "Wine"
             : platform::LauncherName(installation.Origin.Through) +
                   std::string(installation.Origin.Flatpak.empty() ? "" : " (Flatpak)");
    if (!platform::FindOnPath(program)) {
        ui.ShowMessage("GPL cannot be started: " + launcher + "'s program " + program +
                       " is not installed (it is not on the PATH).");
        return false;
    }
    const std::string error = platform::StartDetached(command);
    if (!error.empty()) {
        ui.ShowMessage("GPL cannot be started: " + launcher + "'s program " + program +
                       " did not start (" + error + ").");
        return false;
    }
    return true;
}

}  // namespace movrand
