// SPDX-License-Identifier: GPL-3.0-or-later
#include "carsets/StoredFolderCodes.h"

#include <set>

#include "carsets/CarFolderFiles.h"
#include "carsets/CarSetWork.h"
#include "folders/CarFolderCount.h"

namespace movrand::carsets {

std::vector<FolderToCode> StoredCarFoldersAmong(const ProgramValues& pv,
                                                const std::vector<std::string>& folders) {
    const platform::FileSystem fs = pv.Files();
    const std::string live = LiveCarFolder(pv);
    std::vector<FolderToCode> found;
    std::set<std::string> seen;
    for (const std::string& folder : folders) {
        try {
            if (folder.find(".movrand-") != std::string::npos || !fs.FolderExists(folder) ||
                fs.IsLink(folder) || fs.IsWithin(folder, live) || fs.IsWithin(live, folder) ||
                CountTeamFolders(fs, folder) != kTeamFolderCount)
                continue;
            if (seen.insert(SetKey(folder)).second) found.push_back({folder, fs.Native(folder)});
        } catch (...) {
            // Not looked into: it gets no code.
        }
    }
    return found;
}

std::string CodeOfStoredFolder(const FolderToCode& folder, HashCache& cache) noexcept {
    try {
        FolderFiles files = ReadFolderFiles(folder.Native, folder.Folder);
        if (!files.Refusal.empty() || files.Files.size() > kMostSetFiles) return "";
        Fingerprint(folder.Native, files.Files, cache);
        return SetCode(SetFilesOf(files.Files));
    } catch (...) {
        return "";
    }
}

}  // namespace movrand::carsets
