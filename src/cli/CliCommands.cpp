// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliCommands.h"

#include "addons/AddOnNames.h"
#include "cli/CliAddOnOperand.h"
#include "cli/CliCall.h"
#include "cli/CliCommandTable.h"
#include "folders/CarFolderSwap.h"
#include "installation/GameStart.h"
#include "installation/GplInstallation.h"
#include "installation/Installations.h"
#include "platform/SettingsKeys.h"
#include "platform/Text.h"
#include "roster/CarNumbers.h"
#include "roster/DriverMatching.h"
#include "roster/IniFunctions.h"
#include "roster/RosterFile.h"
#include "wine/PrefixPlace.h"
#include "wine/Profile.h"

namespace movrand::cli {

CommandOutcome Check(Call& c) {
    const InstallationCheck check = CheckGPLInstallation(c.pv.Files(), c.PathOperand(0));
    if (check == InstallationCheck::Valid) {
        c.out << "valid\n";
        return CommandOutcome::Done;
    }
    c.ui.ShowMessage(InstallationCheckMessage(check));
    return CommandOutcome::Refused;
}

CommandOutcome Switch(Call& c) {
    return ChangeGPLInstallation(c.pv, c.ui, c.PathOperand(0)) ? CommandOutcome::Done
                                                               : CommandOutcome::Refused;
}

// Every installation found, the one this run would use marked "in use"; the stored one is listed
// even where no search would find it.
CommandOutcome Installations(Call& c) {
    const platform::Environment& env = c.pv.Env;
    Installation stored{env.Settings.Get(platform::kSettingsApp, platform::kMovrandSection,
                                         platform::kWinePrefixKey),
                        env.Settings.Get(platform::kSettingsApp, platform::kMovrandSection,
                                         platform::kDriverIniFileKey)};
    if (stored.Prefix.empty()) stored.Prefix = env.WinePrefix;
    const bool storedApplies =
        !stored.DriverIniFile.empty() &&
        (!env.PrefixGiven || platform::SamePrefix(stored.Prefix, env.WinePrefix));
    std::vector<std::string> notes;
    std::vector<Installation> found =
        FindInstallations({env.Home, env.ConfigHome, env.DataHome}, env.WinePrefix, &notes);
    bool storedFound = false;
    for (const Installation& i : found) storedFound = storedFound || SameInstallation(i, stored);
    if (storedApplies && !storedFound && InstallationExists(stored))
        found.insert(found.begin(), stored);
    // With nothing stored that applies, a start uses the one installation found, if only one.
    const bool onlyOne =
        !storedApplies && found.size() == 1 &&
        (!env.PrefixGiven || platform::SamePrefix(found[0].Prefix, env.WinePrefix));
    for (const Installation& i : found)
        c.out << i.Prefix.string() << '\t' << i.DriverIniFile << '\t'
              << (onlyOne || (storedApplies && SameInstallation(i, stored)) ? "in use" : "")
              << '\n';
    if (c.request.Verbose) {
        for (const Installation& i : found)
            c.err << "note: " << i.Prefix.string() << ' ' << i.DriverIniFile << " is started by "
                  << platform::LauncherName(i.Origin.Through)
                  << (i.Origin.Game.empty() ? "" : " (its game " + i.Origin.Game + ")") << '\n';
        for (const std::string& note : notes) c.err << "note: " << note << '\n';
    }
    return CommandOutcome::Done;
}

CommandOutcome Play(Call& c) {
    return StartGame(c.pv, c.ui) ? CommandOutcome::Done : CommandOutcome::Refused;
}

CommandOutcome Drivers(Call& c) {
    const platform::ProfileReadScope scope;
    for (int n = 1; n <= kRosterDrivers; ++n) {
        const std::string section = DriverSection(n);
        c.out << n;
        for (const char* key :
             {"first_name", "last_name", "car_number", "team_number", "nationality"})
            c.out << '\t' << ReadIniValue(c.pv, c.ui, section, key, c.pv.DriverWorkFile);
        c.out << '\n';
    }
    return CommandOutcome::Done;
}

CommandOutcome CarNumber(Call& c) {
    const CarNumberResult result =
        AssignCarNumber(c.pv, c.ui, std::stoi(c.Operand(0)), c.Operand(1));
    // A number that could not be handed over is told in a message and changes nothing.
    if (result.Ok && !result.Changed && !result.Message.empty()) return CommandOutcome::Refused;
    return CommandOutcome::Done;
}

CommandOutcome Match(Call& c) {
    MatchDriversToCars(c.pv, c.ui);
    return CommandOutcome::Done;
}

CommandOutcome TeamDrivers(Call& c) {
    // As the Add mode panel passes it: the name lower-cased, its folder as named.
    const std::string team = platform::LowerCase(c.Operand(0));
    for (const std::string& line : ShowTeamDrivers(c.pv, c.ui, team, TeamFolderPath(c.pv, team)))
        c.out << line << '\n';
    return CommandOutcome::Done;
}

CommandOutcome Swap(Call& c) {
    CarFolderPage page;
    page.Source = c.PathOperand(0);
    page.DeleteCurrent = c.request.Swap.DeleteCurrent;
    if (!page.DeleteCurrent) {
        page.Destination = WindowsNotation(c.pv.Files(), c.request.Swap.Destination);
        page.NewName = c.request.Swap.NewName;
    }
    page.Move = c.request.Swap.Move;
    return SwapCarFolder(c.pv, c.ui, page).Outcome == SwapOutcome::Swapped
               ? CommandOutcome::Done
               : CommandOutcome::Refused;
}

bool NeedsInstallation(const std::string& command) {
    const CliCommand* found = FindCliCommand(command);
    return !found || found->NeedsInstallation;
}

bool SweepsLeftovers(const std::string& command) {
    return command != "set-compare" && command != "set-code" && command != "set-export";
}

CommandOutcome RunCommand(ProgramValues& pv, platform::Ui& ui, const CliRequest& request,
                          std::ostream& out, std::ostream& err) {
    const CliCommand* command = FindCliCommand(request.Command);
    if (!command) {
        err << "movrand-cli: unknown command " << request.Command << '\n';
        return CommandOutcome::WrongUsage;
    }
    Call call{pv, ui, request, out, err};
    return command->Run(call);
}

}  // namespace movrand::cli
