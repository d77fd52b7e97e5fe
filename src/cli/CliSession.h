// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <optional>
#include <ostream>
#include <string>

#include "common/ProgramValues.h"
#include "platform/Ui.h"

namespace movrand::cli {

// One run of movrand-cli: its start (the start-up the desktop program has too, with this run's
// choices) and, at its end, the removal of a working copy of its own.
class CliSession {
  public:
    CliSession(ProgramValues& pv, platform::Ui& ui) : pv_(pv), ui_(ui) {}
    ~CliSession();
    CliSession(const CliSession&) = delete;
    CliSession& operator=(const CliSession&) = delete;

    // Starts the run. Commands that need no installation get AppPath, ProgramName and the stored
    // installation. The others get the installation to work on and its working copy: without
    // --gpl the desktop program's (the stored installation, or one searched for); with --gpl,
    // nothing is stored, and a working copy of its own is used unless --gpl names the stored
    // installation, so the desktop program's working copy never receives another installation's
    // roster. Returns 0 when ready, else the exit status (the reason has been shown or written
    // to `err`). `sweep` false leaves the temporaries of killed runs to a later start.
    int Start(bool needsInstallation, const std::optional<std::string>& gpl, std::ostream& err,
              bool sweep = true);

  private:
    ProgramValues& pv_;
    platform::Ui& ui_;
    std::string privateWorkFile_;
};

}  // namespace movrand::cli
