// SPDX-License-Identifier: GPL-3.0-or-later
#include "carsets/CarSetCompare.h"

namespace movrand::carsets {

namespace {

// Where the file `a` stands against `b` by their keys alone.
int KeyOrder(const std::string& a, const std::string& b) {
    return SameSetKey(a, b) ? 0 : SetOrderLess(a, b) ? -1 : 1;
}

}  // namespace

const char* DifferenceWord(DifferenceKind kind) {
    switch (kind) {
        case DifferenceKind::Missing:
            return "missing";
        case DifferenceKind::Different:
            return "different";
        case DifferenceKind::Extra:
            return "extra";
    }
    return "";
}

SetComparison CompareWithFolder(const CarSet& set, const std::filesystem::path& native,
                                std::vector<FolderFile>& files, HashCache& cache,
                                const WorkTold& told, const std::string& setCode) {
    Fingerprint(native, files, cache, {}, told);
    SetComparison result;
    result.SetCode = setCode.empty() ? SetCode(set.Files) : setCode;
    SetCodeMaker folderCode;
    for (const FolderFile& file : files) folderCode.Add(file.Path, file.Facts.Size, file.Hash);
    result.FolderCode = folderCode.Code();
    // Both lists stand in the set's order: one walk through the two.
    std::size_t s = 0;
    std::size_t f = 0;
    while (s < set.Files.size() || f < files.size()) {
        const int order = s == set.Files.size() ? 1
                          : f == files.size()   ? -1
                                                : KeyOrder(set.Files[s].Path, files[f].Path);
        if (order < 0) {
            result.Differences.push_back(
                {DifferenceKind::Missing, set.Files[s].Path, set.Files[s].Size});
            ++s;
        } else if (order > 0) {
            result.Differences.push_back(
                {DifferenceKind::Extra, files[f].Path, files[f].Facts.Size});
            ++f;
        } else {
            // Letter case is no matter to the game, but the code tells it: a folder that is
            // the set has the set's code.
            if (set.Files[s].Size != files[f].Facts.Size || set.Files[s].Hash != files[f].Hash ||
                set.Files[s].Path != files[f].Path)
                result.Differences.push_back(
                    {DifferenceKind::Different, set.Files[s].Path, set.Files[s].Size});
            ++s;
            ++f;
        }
    }
    return result;
}

}  // namespace movrand::carsets
