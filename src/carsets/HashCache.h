// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/FileTree.h"

namespace movrand::history {
class HistoryPlace;
}

namespace movrand::carsets {

// The fingerprints of car files already read, so that a folder that did not change is not read
// again. A file is known by its identity (device and inode), wherever it stands: a fingerprint
// counts only while the file's size, modification and change times are what they were when it
// was read (no one can set the change time, and any write moves it). Kept in the file
// "sethashes" of the installation's history, read whole and replaced whole when it gained
// anything; it only saves time, so it is not synced, and a missing, damaged or foreign file is
// an empty cache.
class HashCache {
  public:
    // No file: fingerprints are kept for this run only.
    HashCache() = default;
    explicit HashCache(history::HistoryPlace& place);

    // True when a fingerprint of the file with this identity may be kept (its facts are worth a
    // look before it is read).
    bool Knows(std::uint64_t device, std::uint64_t number) const;
    std::optional<std::string> Find(const platform::TreeFile& facts);
    // `readFromNs`: when the reading began. A file changed just before cannot be told apart
    // from one changed while it was read, and is not kept.
    void Keep(const platform::TreeFile& facts, const std::string& hash, std::int64_t readFromNs);
    // Makes room for `more` fingerprints about to be kept, so that they are not moved as they
    // come.
    void Expect(std::size_t more);
    // Writes the cache when it gained anything; a failure leaves the old file (the cache only
    // saves time).
    void Save() noexcept;

  private:
    struct Entry {
        std::uint64_t Device = 0;
        std::uint64_t Number = 0;
        std::uint64_t Size = 0;
        std::int64_t ModifiedNs = 0;
        std::int64_t ChangedNs = 0;
        std::uint64_t Used = 0;  // the last save of the cache that found it useful
        std::array<unsigned char, 16> Hash{};
    };
    // The entry of this identity, or nullptr.
    Entry* Lookup(std::uint64_t device, std::uint64_t number);
    const Entry* Lookup(std::uint64_t device, std::uint64_t number) const;
    void Add(const Entry& entry);

    history::HistoryPlace* place_ = nullptr;
    std::filesystem::path file_;
    // The entries, and an open-addressed index of them by identity (entry + 1; 0 is free), a
    // power of two at least twice their number: a lookup is a probe or two, no allocation.
    std::vector<Entry> entries_;
    std::vector<std::uint32_t> index_;
    std::uint64_t saves_ = 0;  // how often the file was written
    bool changed_ = false;
};

}  // namespace movrand::carsets
