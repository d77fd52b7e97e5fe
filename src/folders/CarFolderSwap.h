#pragma once
#include "app/ProgramValues.h"
#include "folders/CarFolderPage.h"
#include "platform/Ui.h"

namespace movrand {

enum class SwapOutcome {
    Swapped,        // the source is the live car folder now
    NameMissing,    // no new name and the delete box clear; the name box takes the focus
    SourceRefused,  // the source is not a complete car folder
    Declined,       // No to the question or to the overwrite question
    Failed,         // a file operation failed; reported by the error trap
};

struct SwapResult {
    SwapOutcome Outcome = SwapOutcome::Failed;
    bool FocusNameBox = false;
};

// The "Save" button of the "Car Folders" page: makes the page's source folder the game's live
// car folder (GPLPath + "cars\cars67"), after deleting the current one or moving it to the
// destination under the new name.
//
// The game is never left without a whole live car folder: the source is first moved or copied
// beside the live folder, then the two change places in one step, and only then does the old
// folder go to its new name or get deleted. A failure undoes the swap while the old folder is
// still live and finishes it once the new one has taken its place; a journal in the program's
// folder lets the next start or swap settle a swap that was interrupted (see SwapJournal.h).
SwapResult SwapCarFolder(ProgramValues& pv, platform::Ui& ui, const CarFolderPage& page);

}  // namespace movrand
