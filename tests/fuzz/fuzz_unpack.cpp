// SPDX-License-Identifier: GPL-3.0-or-later
// Add-on archives as anyone may craft them, unpacked: no crash, and nothing is ever written
// outside the one new folder; what is in it is plain folders and files; a refusal leaves nothing.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "FuzzDrive.h"
#include "archives/UnpackArchive.h"

using namespace movrand;
namespace fs = std::filesystem;

// An LZMA stream may ask for a dictionary of up to 4 GiB: address space that fills only as data
// is unpacked, which the 100-times rule ends. The resident limit (-rss_limit_mb) still holds.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static std::vector<char*> args(*argv, *argv + *argc);
    static char limit[] = "-malloc_limit_mb=5000";
    args.insert(args.begin() + 1, limit);
    args.push_back(nullptr);
    *argc += 1;
    *argv = args.data();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ProgramValues& pv = fuzz::FuzzValues();
    fuzz::SilentUi ui;
    const fs::path downloads = pv.Files().Native("C:\\downloads");
    fs::remove_all(downloads);
    fs::create_directories(downloads / "in");
    fuzz::WriteNative(downloads / "in" / "pack.zip",
                      std::string(reinterpret_cast<const char*>(data), size));
    const fs::path root = downloads.parent_path();
    archives::UnpackResult result;
    bool failed = false;
    try {
        result =
            archives::UnpackArchive(pv.Env, ui, "C:\\downloads\\in\\pack.zip", "C:\\downloads");
    } catch (...) {  // a failing disk, not the archive; it too must leave nothing
        failed = true;
    }
    fs::path made;
    if (result.Unpacked) made = pv.Files().Native(result.Folder);
    if (!failed && result.Unpacked != result.Refusal.empty()) std::abort();
    for (const auto& item : fs::recursive_directory_iterator(root)) {
        const fs::path& path = item.path();
        if (path == downloads || path == downloads / "in" ||
            path == downloads / "in" / "pack.zip" || path == root / "gpl" ||
            path == root / "app")  // the fuzzing drive's own folders
            continue;
        const bool inside =
            !made.empty() && (path == made || path.string().starts_with(made.string() + "/"));
        if (!inside) std::abort();
        if (item.is_symlink() || !(item.is_regular_file() || item.is_directory())) std::abort();
    }
    return 0;
}
