// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "carsets/CarSetFile.h"
#include "common/ProgramValues.h"
#include "platform/Ui.h"

namespace movrand::carsets {

// What makes a set live.
struct ApplyRequest {
    std::string SetFile;
    std::vector<std::string> From;  // add-on folders, archives or any folders to take files from
    std::string Name;               // the new stored folder's name; "" names it after the set
    bool NoSwap = false;            // only build the stored folder
};

enum class ApplyOutcome {
    Live,     // the set is the live car folder; the old one is stored
    Built,    // the set stands as a stored car folder (NoSwap)
    Missing,  // files found nowhere; nothing changed
    Refused,  // refused or declined after a message or question; nothing changed
    Failed,   // a file operation failed (told by the error trap)
};

struct ApplyResult {
    ApplyOutcome Outcome = ApplyOutcome::Failed;
    std::vector<CarSetFile> Missing;
    std::string Code;
    // The stored folder built; once the set is live, this folder is the live car folder and no
    // longer stands under this name.
    std::string Folder;
    // Once live, where the old live folder is kept; "" when a failure of the swap left it
    // elsewhere (its message said where).
    std::string OldFolder;
};

// The folder that holds the stored car folders: where the swap last put the old live folder,
// else the folder of the stored folder it last made live, else the game's "cars" folder.
std::string StoreFolder(const ProgramValues& pv);

// Removes what a killed set-apply left unfinished: its half-built folder in the store (the one
// holding the build's marker) and the archives it had unpacked. Never fails.
void SweepHalfBuiltSets(const ProgramValues& pv);

// A stored folder's name for a set's name: letters, digits and "_", as the swap's names are.
std::string FolderNameOfSet(const std::string& setName);

// The files of a set found nowhere the making live below looks (no `From`), in the set's order;
// nothing after a message.
std::optional<std::vector<CarSetFile>> FilesFoundNowhere(ProgramValues& pv, platform::Ui& ui,
                                                         const CarSet& set);

// The car files found among the live and stored car folders, the history's kept content, the
// backups of replaced cars and accessories, and the `From` folders and archives (all only read)
// give a complete car folder holding exactly the set's files. It is built under a temporary name
// in the store, each file checked against its fingerprint, synced, named, and (unless NoSwap)
// made live by the car folder swap, the old live folder stored as "cars67_before_" + its name.
// The swap is the one step of the history. Files found nowhere change nothing.
ApplyResult ApplyCarSet(ProgramValues& pv, platform::Ui& ui, const ApplyRequest& request);

}  // namespace movrand::carsets
