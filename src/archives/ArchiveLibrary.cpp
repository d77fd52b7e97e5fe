// SPDX-License-Identifier: GPL-3.0-or-later
#include "archives/ArchiveLibrary.h"

#include "platform/SystemLibrary.h"

namespace movrand::archives {

namespace {

// The soname of the libarchive whose header the program was built with.
constexpr const char* kSoname = "libarchive.so.13";

struct Loaded {
    platform::SystemLibrary Library{kSoname};
    ArchiveLibrary Functions;
    bool Complete = true;

    Loaded() {
#define MOVRAND_ARCHIVE_FIND(name) Complete = Library.Find(#name, Functions.name) && Complete;
        MOVRAND_ARCHIVE_FUNCTIONS(MOVRAND_ARCHIVE_FIND)
#undef MOVRAND_ARCHIVE_FIND
    }
};

}  // namespace

const ArchiveLibrary* LoadArchiveLibrary(std::string& failure) {
    static Loaded loaded;  // once, by whichever thread asks first
    if (loaded.Complete) return &loaded.Functions;
    failure = loaded.Library.Failure();
    return nullptr;
}

}  // namespace movrand::archives
