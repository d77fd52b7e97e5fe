// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace movrand::platform {

// Puts files back from kept copies as one group: each is written beside its place under a
// temporary name (its content checked against its fingerprint as it is copied), then each file
// system that holds them is synced once, then each is renamed over whatever stands at its place,
// and then each folder is synced. Every place is always the old or the new file; a failure
// before the renames (a damaged copy, a full disk) removes every temporary and leaves every
// place as it was, and a kill leaves temporaries that the next start sweeps.
class PutBackGroup {
  public:
    // One file: the kept copy by its name in the open folder `KeptFolder`, the place by its name
    // in the open folder `Folder` (both stay open until Finish).
    struct File {
        int KeptFolder = -1;
        std::filesystem::path Kept;
        int Folder = -1;
        std::filesystem::path Target;
        unsigned Mode = 0;
        std::int64_t ModifiedNs = 0;
        std::string Hash;
        std::string Shown;  // the place as the user knows it, named in errors
        // A regular file stands at the place: the new one takes its group where this user may
        // give it (a shared installation's).
        bool Replaces = false;
        gid_t Group = 0;
    };

    PutBackGroup() = default;
    PutBackGroup(const PutBackGroup&) = delete;
    PutBackGroup& operator=(const PutBackGroup&) = delete;
    ~PutBackGroup();

    // Writes the file beside its place. Raises, naming the kept copy, when the copy does not
    // hold the bytes of its fingerprint (a damaged history).
    void Write(const File& file);
    // Syncs what was written, renames every file into its place and syncs their folders.
    // Raises when a sync or a rename fails; the files renamed by then stand.
    void Finish();

  private:
    struct Written {
        int Folder;
        std::string Temporary;
        std::string Name;
        std::string Shown;
    };
    std::vector<Written> written_;
    std::map<int, gid_t> madeGroups_;  // the group a file made in each folder gets
};

}  // namespace movrand::platform
