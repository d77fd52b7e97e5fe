// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliProgram.h"

#include <chrono>
#include <filesystem>
#include <system_error>

#include "cli/CliArguments.h"
#include "cli/CliCommands.h"
#include "cli/CliHelp.h"
#include "cli/CliSession.h"
#include "cli/ConsoleUi.h"
#include "common/InfoOptions.h"
#include "platform/ErrorTrap.h"
#include "platform/ProgramLock.h"
#include "resources/StringTable.h"
#include "wine/PrefixPlace.h"

namespace movrand::cli {

namespace {

int Usage(std::ostream& err, const std::string& problem) {
    err << "movrand-cli: " << problem << "\n\n" << UsageText();
    return 2;
}

// How long a command waits for a running Movrand (the desktop program or another command) to
// finish before it gives up.
constexpr std::chrono::seconds kLockWait{5};

int StatusOf(CommandOutcome outcome) {
    switch (outcome) {
        case CommandOutcome::Done:
            return 0;
        case CommandOutcome::Refused:
            return 1;
        case CommandOutcome::WrongUsage:
            return 2;
    }
    return 2;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const ParsedArguments parsed = ParseArguments(args);
    if (!parsed.Request) return Usage(err, parsed.Error);
    const CliRequest& request = *parsed.Request;
    if (request.Help) {
        out << UsageText();
        return 0;
    }
    if (request.Version) {
        out << VersionText("movrand-cli");
        return 0;
    }

    ProgramValues pv;
    pv.Env = platform::Environment::FromProcessEnvironment();
    pv.Env.LockWait = kLockWait;
    if (request.Prefix) {
        // Like $WINEPREFIX, but checked: a folder that is no prefix would give the run no drives.
        std::error_code ec;
        const std::filesystem::path prefix = std::filesystem::absolute(*request.Prefix, ec);
        if (ec || !platform::IsWinePrefix(prefix))
            return Usage(err, "--prefix " + *request.Prefix +
                                  ": not a Wine prefix (a folder with system.reg and dosdevices "
                                  "or drive_c)");
        pv.Env.UsePrefix(prefix.lexically_normal());
        pv.Env.PrefixGiven = true;
    }
    // Nothing is read before this run holds the program's folder and the installation alone.
    const std::filesystem::path folder = pv.Env.NativeProgramFolder();
    const platform::ProgramLock lock = platform::ProgramLock::Take(folder, kLockWait);
    if (lock.Result() == platform::ProgramLock::State::Busy) {
        err << "movrand-cli: Movrand is already running (the desktop program or another "
               "movrand-cli); nothing was done. Try again when it has finished.\n";
        return 3;
    }
    if (lock.Result() == platform::ProgramLock::State::Failed) {
        err << "movrand-cli: cannot lock the program's folder " << folder.string() << ": "
            << std::generic_category().message(lock.Error()) << "; nothing was done.\n";
        return 3;
    }
    ConsoleUi ui(out, err, request.Yes, request.Team.value_or(""));
    int status = 0;
    // A path that no drive maps, or a failure outside every operation's own trap, is reported
    // like a trapped error.
    const bool ran = platform::RunTrapped(
        ui, platform::TrapForm::Common, resources::LoadResString(resources::kProgramName), [&] {
            CliSession session(pv, ui);
            status = session.Start(NeedsInstallation(request.Command), request.Gpl, err,
                                   SweepsLeftovers(request.Command));
            if (status != 0 || ui.ErrorReported()) return;
            status = StatusOf(RunCommand(pv, ui, request, out, err));
        });
    out.flush();
    if (!ran || ui.ErrorReported()) return 3;
    if (status == 0 && ui.AnsweredNo()) return 1;
    return status;
}

}  // namespace movrand::cli
