// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <unordered_map>
#include <vector>

#include "carsets/CarSetFile.h"
#include "carsets/HashCache.h"
#include "carsets/WorkTold.h"

namespace movrand::carsets {

// Finds, for each file of a set, a file anywhere that holds its bytes: by size first, then by
// fingerprint. Nothing it looks through is changed.
class ContentSearch {
  public:
    ContentSearch(const CarSet& set, HashCache& cache);

    // Looks through every file under a folder that has the size of a file still not found. A
    // folder that cannot be read is passed over. `keepInCache`: the fingerprints read are kept
    // for later runs (a folder that stays). The files read are told to `told` as they are.
    void SearchFolder(const std::filesystem::path& native, bool keepInCache = true,
                      const WorkTold& told = {});
    // Looks in the history's content, where each file is named by its fingerprint.
    void SearchKept(const std::filesystem::path& contentFolder);

    bool AllFound() const { return remaining_ == 0; }
    // The file that holds these bytes, or an empty path.
    std::filesystem::path Where(const std::string& hash) const;
    // The set's files found nowhere, in the set's order.
    std::vector<CarSetFile> Missing() const;

  private:
    void Found(const std::string& hash, const std::filesystem::path& where);

    const CarSet& set_;
    HashCache& cache_;
    std::unordered_map<std::string, std::filesystem::path> where_;  // hash -> file
    std::unordered_map<std::uint64_t, std::size_t> sizes_;          // size -> hashes not found
    std::unordered_map<std::string, std::uint64_t> wanted_;         // hash -> size
    std::size_t remaining_ = 0;
};

}  // namespace movrand::carsets
