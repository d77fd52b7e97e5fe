// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <optional>
#include <string>

#include "carsets/CarSetCompare.h"
#include "carsets/CarSetFile.h"
#include "common/ProgramValues.h"
#include "platform/Ui.h"

namespace movrand::carsets {

// The live car folder, GPLPath + "cars\cars67".
std::string LiveCarFolder(const ProgramValues& pv);

// Reads a set file (only a regular file, no link, within the size 200,000 lines can take);
// a refusal names the file and its line.
ParsedCarSet ReadCarSet(const ProgramValues& pv, const std::string& file);

// The set of a folder ("" for the live one): its name, its files fingerprinted, its code. A
// folder a set cannot describe is refused in the message window.
struct FolderSet {
    CarSet Set;
    std::string Code;
};
std::optional<FolderSet> SetOfFolder(ProgramValues& pv, platform::Ui& ui,
                                     const std::string& folder);

// Writes the set of a folder ("" for the live one) into `file` (".carset" added when it has
// another ending), replaced whole; `name` "" names the set after the folder. The code, or
// nothing after a message.
struct ExportedSet {
    std::string File;
    std::string Code;
};
std::optional<ExportedSet> ExportCarSet(ProgramValues& pv, platform::Ui& ui,
                                        const std::string& file, const std::string& folder,
                                        const std::string& name);

// Compares a folder ("" for the live one) with a set file; nothing after a message.
std::optional<SetComparison> CompareCarSet(ProgramValues& pv, platform::Ui& ui,
                                           const std::string& file, const std::string& folder);

}  // namespace movrand::carsets
