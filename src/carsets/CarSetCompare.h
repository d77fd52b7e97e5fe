// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "carsets/CarFolderFiles.h"
#include "carsets/CarSetFile.h"

namespace movrand::carsets {

enum class DifferenceKind { Missing, Different, Extra };

// One file in which a folder is not what a set says.
struct SetDifference {
    DifferenceKind Kind = DifferenceKind::Missing;
    std::string Path;        // as the set names it (as the folder does for an extra file)
    std::uint64_t Size = 0;  // in the set (in the folder for an extra file)
};

struct SetComparison {
    std::vector<SetDifference> Differences;  // in the set's order
    std::string SetCode;
    std::string FolderCode;
};

// "missing", "different" or "extra".
const char* DifferenceWord(DifferenceKind kind);

// Compares the folder's files with the set's; a file whose path is the set's in other letter
// case is different, as its code is. Only files of the set's size are read (from the
// cache where unchanged); the folder's code needs every fingerprint, so the rest are read too.
// Each file is told to `told` as it is done.
// `setCode`, when known (as a parsed set file gives it), is the set's code.
SetComparison CompareWithFolder(const CarSet& set, const std::filesystem::path& native,
                                std::vector<FolderFile>& files, HashCache& cache,
                                const WorkTold& told = {}, const std::string& setCode = "");

}  // namespace movrand::carsets
