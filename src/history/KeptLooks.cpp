// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/KeptLooks.h"

#include "history/HistoryPlace.h"
#include "platform/RuntimeError.h"

namespace movrand::history {

namespace {

bool Missing(const platform::RuntimeError& error) {
    return error.Number() == platform::kPathNotFound || error.Number() == platform::kFileNotFound;
}

}  // namespace

int KeptLooks::Folder(const std::string& hash) {
    if (hash.size() < 2) return -1;
    if (!contentLooked_) {
        contentLooked_ = true;
        try {
            content_.emplace(place_.Files().OpenFolder(place_.ContentFolder()));
        } catch (const platform::RuntimeError& error) {
            // No content kept: every copy reads as missing. A link or a file in its place is
            // refused by its name.
            if (!Missing(error)) throw;
        }
    }
    if (!content_) return -1;
    const std::string name = hash.substr(0, 2);
    auto held = buckets_.find(name);
    if (held == buckets_.end()) {
        std::optional<platform::Descriptor> bucket;
        try {
            bucket.emplace(platform::OpenFolderAt(content_->Get(), name.c_str(),
                                                  place_.ContentFolder() + "\\" + name));
        } catch (const platform::RuntimeError& error) {
            if (!Missing(error)) throw;
        }
        held = buckets_.emplace(name, std::move(bucket)).first;
    }
    return held->second ? held->second->Get() : -1;
}

const platform::FileFacts& KeptLooks::Of(const std::string& hash) {
    if (const auto found = facts_.find(hash); found != facts_.end()) return found->second;
    const int folder = Folder(hash);
    return facts_[hash] = folder < 0 ? platform::FileFacts{} : platform::FactsOf(hash, folder);
}

}  // namespace movrand::history
