// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <map>
#include <set>
#include <string>
#include <vector>

#include "history/HistoryPlace.h"
#include "history/KeptLooks.h"
#include "history/StepRecord.h"
#include "platform/FileKeeping.h"

namespace movrand::history {

// What a restore or undo reaches, where the history expects it to be now.
struct ReversalTargets {
    struct Target {
        std::string Path;
        FileState Expected;  // what the newest step left there
    };
    std::vector<Target> Paths;         // files and folders the steps taken back changed
    std::vector<std::string> Folders;  // folders those steps moved whole, which must stand there
};

// Looks, before anything changes, at everything taking back the steps `reversed` will need: the
// content the history kept of each file it puts back (there, and still what its fingerprint
// says), every place it writes reached without a link on the way, and nothing standing where
// it must put something (a folder where a file goes back, a file where a folder must be, a
// folder a move takes back gone). Returns "" when all is there, else what is wrong and where.
// `kept` looks at the kept copies. `looked`, when given, receives what was found at each target
// looked at by its name in its folder (by the lower-cased path), so that the caller need not
// look again.
std::string CheckReversal(const HistoryPlace& place, const std::vector<Step>& steps,
                          const std::set<int>& reversed, const ReversalTargets& targets,
                          KeptLooks& kept,
                          std::map<std::string, platform::FileFacts>* looked = nullptr);

}  // namespace movrand::history
