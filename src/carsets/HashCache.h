// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <unordered_map>

#include "platform/FileTree.h"

namespace movrand::history {
class HistoryPlace;
}

namespace movrand::carsets {

// The fingerprints of car files already read, so that a folder that did not change is not read
// again: a fingerprint counts only while the file's size, modification and change times and
// inode are what they were when it was read (no one can set the change time). Kept in the file
// "sethashes" of the installation's history, replaced whole and synced; a missing or damaged
// file is an empty cache.
class HashCache {
  public:
    // No file: fingerprints are kept for this run only.
    HashCache() = default;
    explicit HashCache(history::HistoryPlace& place);

    // `native`: the file's native path as text.
    std::optional<std::string> Find(const std::string& native,
                                    const platform::TreeFile& facts) const;
    // `readFromNs`: when the reading began. A file changed just before cannot be told apart
    // from one changed while it was read, and is not kept.
    void Keep(const std::string& native, const platform::TreeFile& facts, const std::string& hash,
              std::int64_t readFromNs);
    // Writes the cache when it gained anything; a failure leaves the old file (the cache only
    // saves time).
    void Save() noexcept;

  private:
    struct Entry {
        platform::TreeFile Facts;
        std::string Hash;
    };
    history::HistoryPlace* place_ = nullptr;
    std::filesystem::path file_;
    std::unordered_map<std::string, Entry> entries_;
    bool changed_ = false;
};

}  // namespace movrand::carsets
