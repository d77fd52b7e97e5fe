// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

#include "common/ProgramValues.h"
#include "folders/SwapJournal.h"
#include "platform/Ui.h"
#include "wine/FileSystem.h"

namespace movrand {

// The file that carries a swap's token in the folders the swap makes.
inline constexpr const char* kSwapMarker = "zorvexswap.zorvex";
// How a swap's step in the installation's history begins.
inline constexpr const char* kSwapStepSummary = "Car folder swap";
// How the step of a car set made live begins: the swap is its last part, and a swap of it cut
// short is finished within that step.
inline constexpr const char* kCarSetStepSummary = "Car set ";

void MarkFolder(platform::FileSystem& fs, const std::string& folder, const std::string& token);
// True when the folder's marker file holds the token.
bool IsMarked(const platform::FileSystem& fs, const std::string& folder, const std::string& token);

// Copies `from` to `whole` by way of `partial` beside it: `partial` is made and marked before
// the copy starts, so that a copy cut short is known as the swap's own; the copy is checked
// against `from` before it takes its name. `from` is never changed. A copy that fails is
// removed again where that can be done.
void CopyWhole(platform::FileSystem& fs, const std::string& from, const std::string& partial,
               const std::string& whole, const std::string& token);

// Puts the staged folder in the live folder's place and the live folder in the staged one's.
void ExchangeWithLive(platform::FileSystem& fs, const SwapJournal& j);

// Raised when a folder that the settling would touch is not what the journal says. Nothing
// has been moved or deleted for it.
struct SwapJournalMismatch {
    std::vector<std::string> Folders;  // the journal's folders that exist, to look at
    std::string Odd;                   // the first of them found not as the journal says
};

// Brings the folders of a swap that stopped anywhere to a whole state: undone (the stored folder
// back, a partial copy gone, an earlier folder under the new name back) while the old folder is
// still live, else finished (the old folder at its new place or deleted, the earlier folder under
// the new name deleted, a source moved from another drive deleted). Each folder is checked
// before it is touched; nothing is ever overwritten. Raises SwapJournalMismatch, or the
// platform's error when a step fails. True when the swap took place (finished or done), false
// when it was undone.
bool SettleSwap(platform::FileSystem& fs, const SwapJournal& j);

// True once the stored folder has taken the live folder's place and the swap is not yet done.
bool SwapTookPlace(const platform::FileSystem& fs, const SwapJournal& j);

// The journal's folders that exist.
std::vector<std::string> SwapFolders(const platform::FileSystem& fs, const SwapJournal& j);

// Settles a swap that an earlier run left unfinished and deletes its journal. Where that cannot
// be done safely, or a step fails, the journal stays, nothing more is moved or deleted, and the
// user is told which folders to look at. True when no unfinished swap is left. The settling and
// the part of the swap that ran are one step of the installation's history (of the installation
// the journal names, when the one in use is not known yet).
bool SettleInterruptedSwap(ProgramValues& pv, platform::Ui& ui);

}  // namespace movrand
