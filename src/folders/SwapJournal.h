// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "common/ProgramValues.h"
#include "wine/FileSystem.h"

namespace movrand {

// What a car folder swap is doing, kept in the program's folder while it runs, so that a swap
// that was cut short (the program killed, the machine switched off) is finished or undone the
// next time the program starts or swaps.
//
// The folders the swap makes have fixed names beside the live folder (and, for the old folder's
// copy to another drive, beside its new place); the journal names none of them. Each folder the
// swap makes carries the journal's token in a marker file, and the folders it only renames are
// known by their numbers on the disk, so the settling can check every folder before it touches
// it (SwapSettling.h).
struct SwapJournal {
    std::string Live;        // GPLPath + "cars\cars67"
    std::string Source;      // the stored folder
    std::string Target;      // the old folder's new place; "" when it is deleted
    bool Move = false;       // the stored folder is moved (else copied)
    bool Overwrite = false;  // an earlier folder under the new name waits aside until the end
    std::string Token;       // 32 hex digits, new for every swap
    std::uintmax_t LiveNumber = 0;    // FolderNumber of the live folder before the swap
    std::uintmax_t SourceNumber = 0;  // of the stored folder
    std::uintmax_t TargetNumber = 0;  // of the earlier folder under the new name, or 0

    // The stored folder being copied in, made and marked before the copy starts.
    std::string Copying() const { return Live + ".movrand-copy"; }
    // The stored folder brought in whole; after the change of places, the old live folder.
    std::string Staged() const { return Live + ".movrand-swap"; }
    // The old live folder while the change of places is done in three renames.
    std::string Exchange() const { return Live + ".movrand-exchange"; }
    // The earlier folder under the new name, until the swap is done.
    std::string Aside() const { return Target + ".movrand-old"; }
    // The old live folder being copied to its new place on another drive.
    std::string TargetCopying() const { return Target + ".movrand-copy"; }
};

// AppPath + "swap.zorvex".
std::string SwapJournalPath(const ProgramValues& pv);

// A new random token.
std::string NewSwapToken();

// The journal as stored: a header, one "key=value" line per field in a fixed order and a last
// line that checks all the others, each line ending in CR LF. Raises 52 when a value holds a
// line break and could not be read back.
std::string SwapJournalText(const SwapJournal& j);
// The journal from its stored text, or nothing when the text is not exactly what
// SwapJournalText writes for a swap (cut short, damaged, edited, or naming no car folder).
std::optional<SwapJournal> ParseSwapJournal(const std::string& text);

// Writes the journal whole, in one step.
void WriteSwapJournal(platform::FileSystem& fs, const std::string& path, const SwapJournal& j);

}  // namespace movrand
