// SPDX-License-Identifier: GPL-3.0-or-later
#include "carsets/HashCache.h"

#include <charconv>
#include <string_view>

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
    // One line per file: device, inode, size, modification and change times, fingerprint, path.
    std::string_view rest(text);
    const auto line = [&] {
        const std::size_t end = rest.find('\n');
        const std::string_view taken = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        return taken;
    };
    if (line() != kHeader) return;
    entries_.reserve(text.size() / 150);
    while (!rest.empty()) {
        std::string_view l = line();
        Entry entry;
        platform::TreeFile& f = entry.Facts;
        const auto number = [&](auto& value) {
            const auto [end, error] = std::from_chars(l.data(), l.data() + l.size(), value);
            if (error != std::errc() || end == l.data() + l.size() || *end != ' ') return false;
            l.remove_prefix(static_cast<std::size_t>(end - l.data()) + 1);
            return true;
        };
        if (!number(f.Device) || !number(f.Number) || !number(f.Size) || !number(f.ModifiedNs) ||
            !number(f.ChangedNs) || l.size() < 34 || l[32] != ' ') {
            entries_.clear();
            return;
        }
        entry.Hash = l.substr(0, 32);
        entries_.emplace(std::string(l.substr(33)), std::move(entry));
    }
}

std::optional<std::string> HashCache::Find(const std::string& native,
                                           const platform::TreeFile& facts) const {
    const auto found = entries_.find(native);
    if (found == entries_.end() || !SameFacts(found->second.Facts, facts)) return std::nullopt;
    return found->second.Hash;
}

void HashCache::Keep(const std::string& key, const platform::TreeFile& facts,
                     const std::string& hash, std::int64_t readFromNs) {
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
