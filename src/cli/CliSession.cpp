// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliSession.h"

#include "session/Main.h"

namespace movrand::cli {

CliSession::~CliSession() {
    if (privateWorkFile_.empty()) return;
    try {
        platform::FileSystem fs = pv_.Files();
        if (fs.FileExists(privateWorkFile_)) fs.DeleteFile(privateWorkFile_, true);
    } catch (...) {
        // A working copy left behind is made afresh by the next run.
    }
}

int CliSession::Start(bool needsInstallation, const std::optional<std::string>& gpl,
                      std::ostream& err, bool sweep) {
    StartUpChoices choices;
    choices.NeedsInstallation = needsInstallation;
    choices.SweepLeftovers = sweep;
    choices.UnfinishedRestore = history::StandingRestore::Tell;
    if (needsInstallation) choices.GivenInstallation = gpl;
    const StartedRun run = StartUp(pv_, ui_, choices, {});
    privateWorkFile_ = run.OwnWorkFile;
    switch (run.How) {
        case StartedRun::End::Ready:
            return !needsInstallation || run.WorkingCopyMade ? 0 : 3;
        case StartedRun::End::NotAnInstallation:
            err << "movrand-cli: --gpl " << *gpl << ": " << run.Problem << '\n';
            return 2;
        case StartedRun::End::Ended:
            break;
    }
    return pv_.InstallationRefused ? 3 : 1;
}

}  // namespace movrand::cli
