// SPDX-License-Identifier: GPL-3.0-or-later
#include "carsets/HashCache.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <utility>

#include "history/HistoryPlace.h"
#include "platform/FileKeeping.h"
#include "platform/WholeFileReplace.h"

namespace movrand::carsets {

namespace {

// The file: this header, the number of saves so far, one record per file, and the fingerprint
// of all that, so that a file cut short or damaged is seen as a whole.
constexpr std::string_view kHeader = "movrand-hashes2\n";
constexpr std::size_t kRecord = 6 * 8 + 16;  // device, inode, size, two times, last use, hash
constexpr std::size_t kCheck = 32;
constexpr std::uintmax_t kLargestCache = 256u << 20;
constexpr std::size_t kMostEntries = 1000000;
// A fingerprint no save of the last this many found useful names a file that is gone (or in a
// folder no longer looked at).
constexpr std::uint64_t kSavesKept = 32;
// A file changed this shortly before it was read may have been changed again within the same
// tick of the file system's clock.
constexpr std::int64_t kSettledNs = 100000000;

// The value of each lower-case hexadecimal digit, -1 for any other byte.
constexpr std::array<signed char, 256> kHexDigits = [] {
    std::array<signed char, 256> digits{};
    digits.fill(-1);
    for (int c = 0; c < 10; ++c)
        digits[static_cast<std::size_t>('0' + c)] = static_cast<signed char>(c);
    for (int c = 0; c < 6; ++c)
        digits[static_cast<std::size_t>('a' + c)] = static_cast<signed char>(10 + c);
    return digits;
}();

int HexDigit(char c) {
    return kHexDigits[static_cast<unsigned char>(c)];
}

std::size_t Slot(std::uint64_t device, std::uint64_t number, std::size_t mask) {
    std::uint64_t x = number ^ (device * 0x9E3779B97F4A7C15ull);
    x ^= x >> 31;
    x *= 0xBF58476D1CE4E5B9ull;
    x ^= x >> 29;
    return static_cast<std::size_t>(x) & mask;
}

template <typename T>
char* Put(char* at, T value) {
    std::memcpy(at, &value, sizeof value);
    return at + sizeof value;
}

template <typename T>
T Take(const char*& at) {
    T value;
    std::memcpy(&value, at, sizeof value);
    at += sizeof value;
    return value;
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
    const std::size_t fixed = kHeader.size() + 8 + kCheck;
    if (text.size() < fixed || (text.size() - fixed) % kRecord != 0 || !text.starts_with(kHeader))
        return;
    const std::string_view body(text.data(), text.size() - kCheck);
    if (platform::FastHashOfBytes(body) != std::string_view(text).substr(body.size())) return;
    const char* at = text.data() + kHeader.size();
    saves_ = Take<std::uint64_t>(at);
    const std::size_t count = (text.size() - fixed) / kRecord;
    if (count > kMostEntries) return;
    Expect(count + count / 4);
    for (std::size_t i = 0; i < count; ++i) {
        Entry entry;
        entry.Device = Take<std::uint64_t>(at);
        entry.Number = Take<std::uint64_t>(at);
        entry.Size = Take<std::uint64_t>(at);
        entry.ModifiedNs = Take<std::int64_t>(at);
        entry.ChangedNs = Take<std::int64_t>(at);
        entry.Used = Take<std::uint64_t>(at);
        std::memcpy(entry.Hash.data(), at, entry.Hash.size());
        at += entry.Hash.size();
        Add(entry);
    }
}

const HashCache::Entry* HashCache::Lookup(std::uint64_t device, std::uint64_t number) const {
    if (index_.empty()) return nullptr;
    const std::size_t mask = index_.size() - 1;
    for (std::size_t slot = Slot(device, number, mask);; slot = (slot + 1) & mask) {
        const std::uint32_t at = index_[slot];
        if (at == 0) return nullptr;
        const Entry& entry = entries_[at - 1];
        if (entry.Device == device && entry.Number == number) return &entry;
    }
}

HashCache::Entry* HashCache::Lookup(std::uint64_t device, std::uint64_t number) {
    return const_cast<Entry*>(std::as_const(*this).Lookup(device, number));
}

void HashCache::Add(const Entry& entry) {
    if (Entry* known = Lookup(entry.Device, entry.Number)) {
        *known = entry;
        return;
    }
    entries_.push_back(entry);
    if (index_.size() < 2 * entries_.size()) {
        index_.assign(std::max<std::size_t>(4096, index_.size() * 2), 0);
        for (std::size_t i = 0; i < entries_.size(); ++i) {
            const std::size_t mask = index_.size() - 1;
            std::size_t slot = Slot(entries_[i].Device, entries_[i].Number, mask);
            while (index_[slot] != 0) slot = (slot + 1) & mask;
            index_[slot] = static_cast<std::uint32_t>(i + 1);
        }
        return;
    }
    const std::size_t mask = index_.size() - 1;
    std::size_t slot = Slot(entry.Device, entry.Number, mask);
    while (index_[slot] != 0) slot = (slot + 1) & mask;
    index_[slot] = static_cast<std::uint32_t>(entries_.size());
}

void HashCache::Expect(std::size_t more) {
    const std::size_t total = std::min(entries_.size() + more, kMostEntries);
    if (entries_.capacity() >= total) return;
    entries_.reserve(total);
    std::size_t slots = std::max<std::size_t>(4096, index_.size());
    while (slots < 2 * total) slots *= 2;
    if (slots == index_.size()) return;
    index_.assign(slots, 0);
    const std::size_t mask = slots - 1;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        std::size_t slot = Slot(entries_[i].Device, entries_[i].Number, mask);
        while (index_[slot] != 0) slot = (slot + 1) & mask;
        index_[slot] = static_cast<std::uint32_t>(i + 1);
    }
}

bool HashCache::Knows(std::uint64_t device, std::uint64_t number) const {
    return Lookup(device, number) != nullptr;
}

std::optional<std::string> HashCache::Find(const platform::TreeFile& facts) {
    Entry* entry = Lookup(facts.Device, facts.Number);
    if (!entry || entry->Size != facts.Size || entry->ModifiedNs != facts.ModifiedNs ||
        entry->ChangedNs != facts.ChangedNs)
        return std::nullopt;
    entry->Used = saves_ + 1;
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hash(32, '0');
    for (std::size_t i = 0; i < entry->Hash.size(); ++i) {
        hash[2 * i] = kDigits[entry->Hash[i] >> 4];
        hash[2 * i + 1] = kDigits[entry->Hash[i] & 15];
    }
    return hash;
}

void HashCache::Keep(const platform::TreeFile& facts, const std::string& hash,
                     std::int64_t readFromNs) {
    if (facts.ChangedNs + kSettledNs > readFromNs || facts.ModifiedNs + kSettledNs > readFromNs ||
        hash.size() != 32 || entries_.size() >= kMostEntries)
        return;
    Entry entry{facts.Device,    facts.Number, facts.Size, facts.ModifiedNs,
                facts.ChangedNs, saves_ + 1,   {}};
    for (std::size_t i = 0; i < entry.Hash.size(); ++i) {
        const int high = HexDigit(hash[2 * i]), low = HexDigit(hash[2 * i + 1]);
        if (high < 0 || low < 0) return;
        entry.Hash[i] = static_cast<unsigned char>(high << 4 | low);
    }
    Add(entry);
    changed_ = true;
}

void HashCache::Save() noexcept {
    if (!place_ || !changed_) return;
    try {
        const std::uint64_t save = saves_ + 1;
        // The records are written side by side into a text made at its full size at once.
        std::string text(kHeader.size() + 8 + entries_.size() * kRecord, '\0');
        std::memcpy(text.data(), kHeader.data(), kHeader.size());
        char* at = Put(text.data() + kHeader.size(), save);
        for (const Entry& entry : entries_) {
            if (entry.Used + kSavesKept < save) continue;
            at = Put(at, entry.Device);
            at = Put(at, entry.Number);
            at = Put(at, entry.Size);
            at = Put(at, entry.ModifiedNs);
            at = Put(at, entry.ChangedNs);
            at = Put(at, entry.Used);
            std::memcpy(at, entry.Hash.data(), entry.Hash.size());
            at += entry.Hash.size();
        }
        text.resize(static_cast<std::size_t>(at - text.data()));
        text += platform::FastHashOfBytes(text);
        platform::ReplaceOptions options;
        options.Synced = false;
        platform::ReplaceFileWithBytes(file_, text, options);
        place_->Share(file_);
        saves_ = save;
        changed_ = false;
    } catch (...) {
    }
}

}  // namespace movrand::carsets
