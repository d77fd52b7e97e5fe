// SPDX-License-Identifier: GPL-3.0-or-later
#include "carsets/HashCache.h"

#include <sstream>

#include "history/HistoryPlace.h"
#include "platform/WholeFileReplace.h"

namespace movrand::carsets {

namespace {

constexpr const char* kHeader = "movrand-hashes 1";
constexpr std::uintmax_t kLargestCache = 256u << 20;
constexpr std::size_t kMostEntries = 2000000;
// A file changed this shortly before it was read may have been changed again within the same
// tick of the file system's clock.
constexpr std::int64_t kSettledNs = 100000000;

bool SameFacts(const platform::TreeFile& a, const platform::TreeFile& b) {
    return a.Size == b.Size && a.Device == b.Device && a.Number == b.Number &&
           a.ModifiedNs == b.ModifiedNs && a.ChangedNs == b.ChangedNs;
}

}  // namespace

HashCache::HashCache(history::HistoryPlace& place) : place_(&place) {
    const std::string windows = place.Folder() + "\\sethashes";
    file_ = place.Native(windows);
    std::string text;
    try {
        if (!place.Files().FileExists(windows)) return;
        text = place.Files().ReadRecord(windows, kLargestCache);
    } catch (...) {
        return;
    }
    std::istringstream in(text);
    std::string line;
    if (!std::getline(in, line) || line != kHeader) return;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        Entry entry;
        fields >> entry.Facts.Device >> entry.Facts.Number >> entry.Facts.Size >>
            entry.Facts.ModifiedNs >> entry.Facts.ChangedNs >> entry.Hash;
        std::string path;
        if (!fields || fields.get() != ' ' || !std::getline(fields, path) || path.empty() ||
            entry.Hash.size() != 32) {
            entries_.clear();
            return;
        }
        entries_[path] = std::move(entry);
    }
}

std::optional<std::string> HashCache::Find(const std::filesystem::path& native,
                                           const platform::TreeFile& facts) const {
    const auto found = entries_.find(native.string());
    if (found == entries_.end() || !SameFacts(found->second.Facts, facts)) return std::nullopt;
    return found->second.Hash;
}

void HashCache::Keep(const std::filesystem::path& native, const platform::TreeFile& facts,
                     const std::string& hash, std::int64_t readFromNs) {
    const std::string key = native.string();
    if (facts.ChangedNs + kSettledNs > readFromNs || facts.ModifiedNs + kSettledNs > readFromNs ||
        key.find('\n') != std::string::npos || entries_.size() >= kMostEntries)
        return;
    entries_[key] = {facts, hash};
    changed_ = true;
}

void HashCache::Save() noexcept {
    if (!place_ || !changed_) return;
    try {
        std::string text = std::string(kHeader) + "\n";
        text.reserve(entries_.size() * 160);
        for (const auto& [path, entry] : entries_) {
            const platform::TreeFile& f = entry.Facts;
            text += std::to_string(f.Device) + ' ' + std::to_string(f.Number) + ' ' +
                    std::to_string(f.Size) + ' ' + std::to_string(f.ModifiedNs) + ' ' +
                    std::to_string(f.ChangedNs) + ' ' + entry.Hash + ' ' + path + '\n';
        }
        platform::ReplaceFileWithBytes(file_, text);
        place_->Share(file_);
        changed_ = false;
    } catch (...) {
    }
}

}  // namespace movrand::carsets
