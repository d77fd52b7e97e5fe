// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "carsets/CarSetFile.h"
#include "carsets/HashCache.h"
#include "carsets/WorkTold.h"
#include "platform/FileTree.h"

namespace movrand::carsets {

// A file of a folder as a set names it, with what the disk says of it.
struct FolderFile {
    std::string Path;          // "ferrari\fer9.3do", as stored on disk
    platform::TreeFile Facts;  // its Name left empty: it is Path with "/" between names
    std::string Hash;          // "" until fingerprinted
};

struct FolderFiles {
    std::vector<FolderFile> Files;  // in the set's order; the program's own records left out
    std::string Refusal;            // what a set cannot carry (a link, a name Windows refuses)
};

// The files of the folder `native` (`shown` names it in a refusal). `look` false: the files are
// not looked at one by one (their facts come with their fingerprints). `likely`, when given, is
// a list in the set's order that most of the folder's files are expected to be in (the set the
// folder is compared with): the files it names are put in order by their places in it, and
// only the others are sorted.
FolderFiles ReadFolderFiles(const std::filesystem::path& native, const std::string& shown,
                            bool look = true, const std::vector<CarSetFile>* likely = nullptr);

// Fills in the fingerprints of the files `wanted` picks (all when not given), and their facts:
// from the cache where a file is unchanged, else read (and kept in the cache). Each file is told
// to `told` as it is done: those the cache knows at once, those read a batch at a time.
void Fingerprint(const std::filesystem::path& native, std::vector<FolderFile>& files,
                 HashCache& cache, const std::function<bool(const FolderFile&)>& wanted = {},
                 const WorkTold& told = {});

// The set lines of fingerprinted files.
std::vector<CarSetFile> SetFilesOf(const std::vector<FolderFile>& files);

}  // namespace movrand::carsets
