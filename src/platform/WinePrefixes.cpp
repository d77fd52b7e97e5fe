// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/WinePrefixes.h"

#include <sys/stat.h>

#include <algorithm>
#include <set>
#include <utility>

#include "platform/LutrisGame.h"
#include "platform/SteamLibraries.h"

namespace movrand::platform {
namespace fs = std::filesystem;

namespace {

// No home keeps more; a folder with more entries is looked at only this far.
constexpr std::size_t kMostEntriesPerPlace = 4096;
constexpr std::size_t kMostPrefixes = 1024;
constexpr std::size_t kMostSteamLibraries = 64;

// The entries of a folder, by name, at most kMostEntriesPerPlace of them; none when it cannot
// be read.
std::vector<fs::path> EntriesByName(const fs::path& folder) {
    std::vector<fs::path> entries;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end;
         !ec && it != end && entries.size() < kMostEntriesPerPlace; it.increment(ec))
        entries.push_back(it->path());
    std::sort(entries.begin(), entries.end());
    return entries;
}

class PrefixList {
  public:
    void Add(const fs::path& folder) {
        if (found_.size() >= kMostPrefixes || !IsWinePrefix(folder)) return;
        struct stat st {};
        if (::stat(folder.c_str(), &st) != 0) return;
        if (!seen_.insert({st.st_dev, st.st_ino}).second) return;
        found_.push_back(folder.lexically_normal());
    }
    void AddEach(const fs::path& place) {
        for (const fs::path& folder : EntriesByName(place)) Add(folder);
    }
    std::vector<fs::path> Take() { return std::move(found_); }

  private:
    std::set<std::pair<dev_t, ino_t>> seen_;
    std::vector<fs::path> found_;
};

bool IsYamlFile(const fs::path& file) {
    const std::string ext = file.extension().string();
    return ext == ".yml" || ext == ".yaml";
}

}  // namespace

bool IsWinePrefix(const fs::path& folder) {
    std::error_code ec;
    return fs::is_regular_file(folder / "system.reg", ec) &&
           (fs::is_directory(folder / "dosdevices", ec) ||
            fs::is_directory(folder / "drive_c", ec));
}

std::vector<fs::path> FindWinePrefixes(const fs::path& home) {
    PrefixList prefixes;
    prefixes.Add(home / ".wine");
    prefixes.AddEach(home / ".local/share/wineprefixes");

    for (const char* games : {".config/lutris/games", ".local/share/lutris/games"})
        for (const fs::path& file : EntriesByName(home / games))
            if (IsYamlFile(file))
                if (const auto prefix = LutrisGamePrefix(file, home)) prefixes.Add(*prefix);
    prefixes.AddEach(home / "Games");

    prefixes.AddEach(home / ".local/share/bottles/bottles");
    prefixes.AddEach(home / ".var/app/com.usebottles.bottles/data/bottles/bottles");

    for (const char* steam : {".steam/steam", ".local/share/Steam",
                              ".var/app/com.valvesoftware.Steam/.local/share/Steam"}) {
        std::vector<fs::path> libraries = {home / steam};
        for (const char* vdf : {"steamapps/libraryfolders.vdf", "config/libraryfolders.vdf"})
            for (const fs::path& library : SteamLibraryFoldersOf(home / steam / vdf))
                if (libraries.size() < kMostSteamLibraries) libraries.push_back(library);
        for (const fs::path& library : libraries)
            for (const fs::path& game : EntriesByName(library / "steamapps/compatdata"))
                prefixes.Add(game / "pfx");
    }

    prefixes.AddEach(home / ".PlayOnLinux/wineprefix");
    prefixes.AddEach(home / ".cxoffice");
    return prefixes.Take();
}

}  // namespace movrand::platform
