#pragma once
#include <optional>
#include <string>

#include "app/ProgramValues.h"
#include "platform/FileSystem.h"

namespace movrand {

// What a car folder swap is doing, kept in the program's folder while it runs, so that a swap
// that was interrupted (the program killed, the machine switched off) is finished or undone the
// next time the program starts or swaps. The stored folder is first brought beside the live one
// (Staged), then the two change places in one step, and only then does the old folder go to its
// new name or get deleted: the game always has a whole live car folder.
struct SwapJournal {
    std::string Live;          // GPLPath + "cars\cars67"
    std::string Staged;        // beside it: the stored folder before, the old folder after
    std::string Exchange;      // beside it: the old folder while the change of places is done
                               // in three renames, where the file system has no single step
    std::string Source;        // the stored folder
    std::string Target;        // the old folder's new place; "" when it is deleted
    std::string TargetAside;   // an earlier folder under the new name, until the end; or ""
    bool Move = false;         // the stored folder is moved (else copied)
    std::string LiveIdentity;  // FolderIdentity of the live folder before the swap
};

// AppPath + "swap.zorvex".
std::string SwapJournalPath(const ProgramValues& pv);

// Writes the journal whole, in one step.
void WriteSwapJournal(platform::FileSystem& fs, const std::string& path, const SwapJournal& j);
std::optional<SwapJournal> ReadSwapJournal(const platform::FileSystem& fs, const std::string& path);

// Puts the staged folder in the live folder's place and the live folder in the staged one's.
void ExchangeWithLive(platform::FileSystem& fs, const SwapJournal& j);

// Brings the folders of a swap that stopped anywhere to a whole state: undone (the stored
// folder back, a partial copy gone, an earlier folder under the new name back) while the old
// folder is still live, else finished (the old folder moved to its new name or deleted, an
// earlier folder under the new name deleted). Raises the platform's error when a step fails.
void SettleSwap(platform::FileSystem& fs, const SwapJournal& j);

// Settles a swap that an earlier run left unfinished, and deletes its journal. Raises the
// platform's error, and keeps the journal, when that fails.
void FinishInterruptedSwap(ProgramValues& pv);

// The same at start-up, where a failure must not stop the program: the journal stays for the
// next try.
void FinishInterruptedSwapQuietly(ProgramValues& pv);

}  // namespace movrand
