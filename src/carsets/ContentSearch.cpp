// SPDX-License-Identifier: GPL-3.0-or-later
#include "carsets/ContentSearch.h"

#include <chrono>

#include "platform/FileKeeping.h"
#include "platform/FileTree.h"

namespace movrand::carsets {

ContentSearch::ContentSearch(const CarSet& set, HashCache& cache) : set_(set), cache_(cache) {
    for (const CarSetFile& file : set.Files)
        if (wanted_.emplace(file.Hash, file.Size).second) ++sizes_[file.Size];
    remaining_ = wanted_.size();
}

void ContentSearch::Found(const std::string& hash, const std::filesystem::path& where) {
    const auto wanted = wanted_.find(hash);
    if (wanted == wanted_.end() || where_.contains(hash)) return;
    where_[hash] = where;
    --sizes_[wanted->second];
    --remaining_;
}

void ContentSearch::SearchFolder(const std::filesystem::path& native, bool keepInCache,
                                 const WorkTold& told) {
    if (AllFound()) return;
    platform::FileTree tree;
    try {
        tree = platform::ReadFileTree(native);
    } catch (...) {
        return;
    }
    std::vector<const platform::TreeFile*> toRead;
    std::vector<std::string> names;
    for (const platform::TreeFile& file : tree.Files) {
        const auto size = sizes_.find(file.Size);
        if (size == sizes_.end() || size->second == 0) continue;
        if (const auto kept = cache_.Find(file)) {
            Found(*kept, native / file.Name);
            continue;
        }
        toRead.push_back(&file);
        names.push_back(file.Name);
    }
    if (names.empty()) return;
    told.Ahead(names.size());
    const std::int64_t readFrom = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                      std::chrono::system_clock::now().time_since_epoch())
                                      .count();
    InBatches(names.size(), told, [&](std::size_t begin, std::size_t end) {
        const std::vector<std::string> batch(names.begin() + static_cast<std::ptrdiff_t>(begin),
                                             names.begin() + static_cast<std::ptrdiff_t>(end));
        std::vector<std::string> hashes;
        try {
            hashes = platform::FastHashesOf(native, batch);
        } catch (...) {
            // A file that cannot be read: each is tried on its own, and those that fail passed
            // over.
            hashes.assign(batch.size(), "");
            for (std::size_t i = 0; i < batch.size(); ++i) try {
                    hashes[i] = platform::FastHashOf(native / batch[i]);
                } catch (...) {
                }
        }
        for (std::size_t i = 0; i < batch.size(); ++i) {
            if (hashes[i].empty()) continue;
            if (keepInCache) cache_.Keep(*toRead[begin + i], hashes[i], readFrom);
            Found(hashes[i], native / batch[i]);
        }
        told.Done(batch.back(), batch.size());
    });
}

void ContentSearch::SearchKept(const std::filesystem::path& contentFolder) {
    for (const auto& [hash, size] : wanted_) {
        if (where_.contains(hash)) continue;
        const std::filesystem::path kept = contentFolder / hash.substr(0, 2) / hash;
        const platform::FileFacts facts = platform::FactsOf(kept);
        if (facts.Kind == platform::FileFacts::Type::File && facts.Size == size) Found(hash, kept);
    }
}

std::filesystem::path ContentSearch::Where(const std::string& hash) const {
    const auto found = where_.find(hash);
    return found == where_.end() ? std::filesystem::path() : found->second;
}

std::vector<CarSetFile> ContentSearch::Missing() const {
    std::vector<CarSetFile> missing;
    for (const CarSetFile& file : set_.Files)
        if (!where_.contains(file.Hash)) missing.push_back(file);
    return missing;
}

}  // namespace movrand::carsets
