// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <map>
#include <optional>
#include <string>
#include <unordered_map>

#include "platform/FileHandles.h"
#include "platform/FileKeeping.h"

namespace movrand::history {

class HistoryPlace;

// Looks at the copies the history keeps by fingerprint while a restore is planned: each of the
// content's folders opened once (never through a link), each copy looked at once by its name in
// it, however many steps and checks ask for it.
class KeptLooks {
  public:
    explicit KeptLooks(const HistoryPlace& place) : place_(place) {}
    KeptLooks(const KeptLooks&) = delete;
    KeptLooks& operator=(const KeptLooks&) = delete;

    // What stands where the copy of `hash` is kept (Kind None when nothing, or no folder, does).
    const platform::FileFacts& Of(const std::string& hash);
    // The open folder that holds the copy of `hash`; -1 when there is none.
    int Folder(const std::string& hash);

  private:
    const HistoryPlace& place_;
    std::optional<platform::Descriptor> content_;
    bool contentLooked_ = false;
    std::map<std::string, std::optional<platform::Descriptor>> buckets_;
    std::unordered_map<std::string, platform::FileFacts> facts_;
};

}  // namespace movrand::history
