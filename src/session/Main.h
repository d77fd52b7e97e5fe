// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <optional>
#include <string>

#include "common/ProgramValues.h"
#include "history/HistoryRestore.h"
#include "platform/Ui.h"

namespace movrand {

// The default address of the add-on website.
inline constexpr const char* kDefaultWebsiteURL =
    "http://www.zorvex-gpl.example/zorvex/newsite/newdefaultjava.asp";

// What the two programs do differently at start; the steps and their order are the same.
struct StartUpChoices {
    // Commands that work on no installation end the start once the program's folder is set and
    // a swap cut short is settled; GPLPath then names the stored installation's folder.
    bool NeedsInstallation = true;
    // movrand-cli --gpl: the installation of this run alone, in Windows notation or a native
    // path. It is checked and locked but never stored, the run keeps its own prefix for it, and
    // it gets a working copy of its own unless it is the stored installation.
    std::optional<std::string> GivenInstallation;
    // False when the caller sweeps the leftover temporaries itself, later (the desktop program
    // does it once its main window is on the screen).
    bool SweepLeftovers = true;
    // A restore of the history that cannot be finished: the window offers to close it, the
    // command line tells how.
    history::StandingRestore UnfinishedRestore = history::StandingRestore::Ask;
};

// How a start ended.
struct StartedRun {
    enum class End {
        Ready,              // the program can work; the main window has been opened
        Ended,              // the user was told why and the program is to end
        NotAnInstallation,  // the given installation failed its check (Problem says why)
    };
    End How = End::Ended;
    std::string Problem;
    // The working copy of this run alone (a given installation's), to be deleted when the run
    // ends; "" when the run uses the program's own.
    std::string OwnWorkFile;
    // False when the roster could not be copied to the working copy (the error was shown).
    bool WorkingCopyMade = false;
};

// The start-up of both programs, one step after another: the program's name and the random
// sequence; the stored installation (and its prefix, for a run that is to use it); the program's
// folder; the stored installation's lock and the settling of a swap cut short; the website
// address; the installation (given, stored, searched for on every prefix, or, where nothing is
// found, picked by the user: the Ui's file picker, which movrand-cli always cancels); its lock
// and, when found now, storing it; the working copy and the sweep of leftover temporaries; then
// `begin` (the desktop program opens its main window there). Carries the information error trap.
StartedRun StartUp(ProgramValues& pv, platform::Ui& ui, const StartUpChoices& choices,
                   const std::function<void()>& begin);

// The desktop program's start: true when the main window was opened through `showMainWindow`;
// false when the program is to end.
bool Main(ProgramValues& pv, platform::Ui& ui, const std::function<void()>& showMainWindow);

// The exit status of a desktop start that ended before its window opened: 3 when another run
// held the installation or it could not be locked (as when the program's folder could not be),
// 0 when the user ended it (no driver.ini picked).
int EndedStartStatus(const ProgramValues& pv);

}  // namespace movrand
