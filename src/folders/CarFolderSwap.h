// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "common/ProgramValues.h"
#include "folders/CarFolderPage.h"
#include "platform/Ui.h"

namespace movrand {

enum class SwapOutcome {
    Swapped,        // the source is the live car folder now
    NameMissing,    // no new name and the delete box clear; the name box takes the focus
    SourceRefused,  // the source is not a complete car folder
    Declined,       // No to the question or to the overwrite question
    Refused,        // a check before anything moved stopped it; a message said why
    Failed,         // a file operation failed; reported by the error trap
};

struct SwapResult {
    SwapOutcome Outcome = SwapOutcome::Failed;
    bool FocusNameBox = false;
    // Once swapped, where the old live folder stands: its new place, or "" when it was deleted
    // or a failure left it elsewhere (the message that told the failure says where).
    std::string OldFolder;
};

// The "Save" button of the "Car Folders" page: makes the page's source folder the game's live
// car folder (GPLPath + "cars\cars67"), after deleting the current one or moving it to the
// destination under the new name.
//
// The game is never left without a whole live car folder: the source is first moved or copied
// (and the copy checked) beside the live folder, then the two change places in one step, and
// only then does the old folder go to its new name or get deleted. Every check that can be made
// before anything moves is made, each refusal told in its own message. A failure undoes the
// swap while the old folder is still live; one after the new folder has taken its place is
// told as such, with where the old folder is, and the journal in the program's folder lets the
// next start or swap finish it (see SwapJournal.h and SwapSettling.h). Where the folders are
// not what the journal says, nothing more is moved or deleted: the user is told which folders to
// look at, and the journal stays until they delete it.
//
// `part`, when given: the swap is the last part of another operation (a car set made live). The
// user has agreed to it already (asked, as for every change, while GPL runs), and its step
// carries that operation's summary.
struct SwapAsPartOf {
    std::string StepSummary;
};
SwapResult SwapCarFolder(ProgramValues& pv, platform::Ui& ui, const CarFolderPage& page,
                         const SwapAsPartOf* part = nullptr);

}  // namespace movrand
