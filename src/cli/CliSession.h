// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <optional>
#include <ostream>
#include <string>

#include "common/ProgramValues.h"
#include "platform/Ui.h"

namespace movrand::cli {

// A path as the user typed it, in the program's notation: Windows notation ("C:\sierra\gpl",
// "c:/sierra/gpl") stays as it is; a native path (absolute, or relative to the current folder)
// is mapped through the drive table, where Z: always reaches "/".
std::string WindowsNotation(const platform::FileSystem& fs, const std::string& path);

// The program-wide values of one run of movrand-cli: the program's own folder and the settings
// store are the desktop program's, so the two can be used side by side.
class CliSession {
  public:
    CliSession(ProgramValues& pv, platform::Ui& ui) : pv_(pv), ui_(ui) {}
    ~CliSession();
    CliSession(const CliSession&) = delete;
    CliSession& operator=(const CliSession&) = delete;

    // AppPath, ProgramName and the stored installation, for commands that test or change it.
    void StartBare();

    // The installation to work on and its working copy, made from its driver.ini as the
    // desktop program does at start. Without --gpl this is the desktop program's start-up (the
    // stored installation, or a drive search). With --gpl, nothing is stored; a working copy
    // of its own is used unless --gpl names the stored installation, so the desktop program's
    // working copy never receives another installation's roster. Returns 0 when ready, else the
    // exit status (the reason has been shown or written to `err`).
    int StartInstallation(const std::optional<std::string>& gpl, std::ostream& err);

  private:
    ProgramValues& pv_;
    platform::Ui& ui_;
    std::string privateWorkFile_;
};

}  // namespace movrand::cli
