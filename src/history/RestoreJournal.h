// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

#include "history/HistoryPlace.h"

namespace movrand::history {

// The journal of a restore or undo under way (restore.step): what was asked, the step that
// records it, the steps it takes back and those it marks as taken back. The next start finishes
// what it names.
struct RestoreJournal {
    bool IsUndo = false;
    std::string Summary;
    int RecordedAs = 0;
    std::vector<int> Reverse;
    std::vector<int> Undoes;
};

std::string JournalText(const RestoreJournal& journal);
// Raises, naming `shown`, on a text that is no journal.
RestoreJournal ParseJournal(const std::string& text, const std::string& shown);
// Written whole and synced, and shared like the history's other files.
void WriteJournal(HistoryPlace& place, const RestoreJournal& journal);

// True while a restore or undo that could not be finished stands.
bool RestoreStands(const HistoryPlace& place);
// "An unfinished restore (Restored to step 3) stands in C:\...\restore.step".
std::string StandingText(const HistoryPlace& place);
// How to get out: leave the game as it is and close the unfinished restore.
std::string AbandonWayOut();
// Raises, naming the journal and the way out, while one stands, or while the pending journal of
// a run cut short cannot be settled: nothing else may change the installation before it is
// finished, abandoned or set aside.
void RefuseWhileRestoreStands(const HistoryPlace& place);

// The part of a restore or undo that a run left unfinished, recorded as a step of its own (cut
// short): only a part, so it marks no step as taken back. Its number, or 0 when there was none.
int SettleCutRestore(HistoryPlace& place);
// Leaves the game as it is: what the unfinished restore changed stays, recorded as a step of
// its own, and the journal goes. Returns that step, or 0 when it had changed nothing. A record
// of that part (pending.step) that is damaged, or names what cannot be looked at, is set aside in
// the history as pending.step.damaged, never deleted; `setAside`, when given, receives its name
// then.
int AbandonRestore(HistoryPlace& place, std::string* setAside = nullptr);
// What the player is told once it is closed; `part` and `setAside` as AbandonRestore gave them.
std::string AbandonedText(int part, const std::string& setAside = "");

}  // namespace movrand::history
