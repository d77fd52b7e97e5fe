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
// The game is never left without a live car folder: the current folder is first moved aside
// (to its new name, or to a temporary name beside it when it is to be deleted), then the source
// is brought in, and only then is anything deleted. When bringing the source in fails, a partial
// copy is removed and every folder goes back where it was.
SwapResult SwapCarFolder(ProgramValues& pv, platform::Ui& ui, const CarFolderPage& page);

}  // namespace movrand
