// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <filesystem>
#include <string>
#include <vector>

#include "carsets/HashCache.h"
#include "common/ProgramValues.h"

namespace movrand::carsets {

// A stored car folder whose code is worked out away from the window's thread: by its native
// path, so that the work needs nothing of the program's values.
struct FolderToCode {
    std::string Folder;  // Windows notation, as the folder list names it
    std::filesystem::path Native;
};

// The complete car folders (the seven team folders) among `folders`, each once; the live car
// folder, what lies within it or holds it, and the program's own folders at work are left out,
// as is a folder that cannot be looked into.
std::vector<FolderToCode> StoredCarFoldersAmong(const ProgramValues& pv,
                                                const std::vector<std::string>& folders);

// The code of a folder, or "" when a set cannot describe it or it cannot be read. Reads no file
// the cache knows unchanged; safe on any thread that owns `cache`.
std::string CodeOfStoredFolder(const FolderToCode& folder, HashCache& cache) noexcept;

}  // namespace movrand::carsets
