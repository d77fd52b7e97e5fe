// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/WinePrefixes.h"

#include <sys/stat.h>

#include <algorithm>
#include <map>
#include <set>
#include <utility>

#include "platform/BottlesFiles.h"
#include "platform/HeroicGames.h"
#include "platform/LutrisDatabase.h"
#include "platform/LutrisGame.h"
#include "platform/SteamLibraries.h"

namespace movrand::platform {
namespace fs = std::filesystem;

namespace {

// No home keeps more; a folder with more entries is looked at only this far.
constexpr std::size_t kMostEntriesPerPlace = 16384;
constexpr std::size_t kMostPrefixes = 16384;
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

bool HasExtension(const fs::path& file, std::initializer_list<const char*> extensions) {
    const std::string ext = file.extension().string();
    return std::any_of(extensions.begin(), extensions.end(),
                       [&](const char* e) { return ext == e; });
}

class PrefixList {
  public:
    // Keeps `folder` when it is a prefix not found before; a folder that is none but holds one
    // as pfx/ gives that.
    void Add(const fs::path& folder, const LauncherOrigin& origin) {
        if (found_.size() >= kMostPrefixes) return;
        if (IsWinePrefix(folder)) {
            Keep(folder, origin);
        } else if (std::error_code ec; fs::is_directory(folder / "pfx", ec)) {
            if (IsWinePrefix(folder / "pfx")) Keep(folder / "pfx", origin);
        }
    }
    void AddEach(const fs::path& place, const LauncherOrigin& origin) {
        for (const fs::path& folder : EntriesByName(place)) Add(folder, origin);
    }
    std::vector<FoundPrefix> Take() { return std::move(found_); }

  private:
    void Keep(const fs::path& folder, const LauncherOrigin& origin) {
        struct stat st {};
        if (::stat(folder.c_str(), &st) != 0) return;
        if (!seen_.insert({st.st_dev, st.st_ino}).second) return;
        found_.push_back({folder.lexically_normal(), origin});
    }
    std::set<std::pair<dev_t, ino_t>> seen_;
    std::vector<FoundPrefix> found_;
};

// A Lutris game file's slug: its name without the "-<time>" Lutris adds.
std::string SlugOfGameFile(const fs::path& file) {
    std::string stem = file.stem().string();
    const std::size_t dash = stem.rfind('-');
    if (dash != std::string::npos && dash + 1 < stem.size() &&
        stem.find_first_not_of("0123456789", dash + 1) == std::string::npos)
        stem.resize(dash);
    return stem;
}

void AddLutris(PrefixList& prefixes, const SearchHome& where) {
    const fs::path& home = where.Home;
    const std::string flatpak = "net.lutris.Lutris";
    const fs::path flatpakHome = home / ".var/app" / flatpak;
    struct Place {
        fs::path Games;
        bool Flatpak;
    };
    std::vector<Place> places;
    if (!where.ConfigHome.empty()) places.push_back({where.ConfigHome / "lutris/games", false});
    places.push_back({home / ".config/lutris/games", false});
    places.push_back({home / ".local/share/lutris/games", false});
    places.push_back({flatpakHome / "config/lutris/games", true});
    places.push_back({flatpakHome / "data/lutris/games", true});
    const std::vector<LutrisDatabaseGame> databases[] = {
        ReadLutrisDatabase(home / ".local/share/lutris/pga.db"),
        ReadLutrisDatabase(flatpakHome / "data/lutris/pga.db")};
    std::map<std::string, std::string> ids[2];  // game file name to id, per database
    for (int d = 0; d < 2; ++d)
        for (const LutrisDatabaseGame& game : databases[d])
            if (!game.ConfigPath.empty()) ids[d].emplace(game.ConfigPath, game.Id);

    for (const Place& place : places) {
        const auto& idOf = ids[place.Flatpak ? 1 : 0];
        for (const fs::path& file : EntriesByName(place.Games)) {
            if (!HasExtension(file, {".yml", ".yaml"})) continue;
            const auto prefix = LutrisGamePrefix(file, home);
            if (!prefix) continue;
            const auto id = idOf.find(file.stem().string());
            prefixes.Add(*prefix,
                         {Launcher::Lutris, id != idOf.end() ? id->second : SlugOfGameFile(file),
                          place.Flatpak ? flatpak : ""});
        }
    }
    for (int d = 0; d < 2; ++d)
        for (const LutrisDatabaseGame& game : databases[d]) {
            if (game.Directory.empty() || game.Directory.front() != '/') continue;
            if (const auto prefix = PrefixAbove(game.Directory))
                prefixes.Add(*prefix, {Launcher::Lutris, game.Id, d == 1 ? flatpak : ""});
        }
    prefixes.AddEach(home / "Games", {Launcher::Lutris, "", ""});
}

// The bottles of one Bottles folder: each bottle there, or the folder its placeholder names.
void AddBottles(PrefixList& prefixes, const fs::path& bottles, const std::string& flatpak) {
    for (const fs::path& entry : EntriesByName(bottles)) {
        fs::path folder = entry;
        if (!IsWinePrefix(folder))
            if (const auto own = BottlePlaceholderPath(entry / "placeholder.yml")) folder = *own;
        if (!IsWinePrefix(folder)) continue;
        const std::string name =
            BottleName(folder / "bottle.yml").value_or(entry.filename().string());
        prefixes.Add(folder, {Launcher::Bottles, name, flatpak});
    }
}

void AddSteam(PrefixList& prefixes, const fs::path& home) {
    const std::pair<const char*, const char*> steams[] = {
        {".steam/steam", ""},
        {".local/share/Steam", ""},
        {".var/app/com.valvesoftware.Steam/.local/share/Steam", "com.valvesoftware.Steam"},
        {"snap/steam/common/.local/share/Steam", ""},
        {".snap/data/steam/common/.local/share/Steam", ""}};
    for (const auto& [steam, app] : steams) {
        std::vector<fs::path> libraries = {home / steam};
        for (const char* vdf : {"steamapps/libraryfolders.vdf", "SteamApps/libraryfolders.vdf",
                                "config/libraryfolders.vdf"})
            for (const fs::path& library : SteamLibraryFoldersOf(home / steam / vdf))
                if (libraries.size() < kMostSteamLibraries) libraries.push_back(library);
        for (const fs::path& library : libraries)
            for (const char* apps : {"steamapps", "SteamApps"})
                for (const fs::path& game : EntriesByName(library / apps / "compatdata"))
                    prefixes.Add(game / "pfx", {Launcher::Steam, game.filename().string(), app});
    }
}

void AddHeroic(PrefixList& prefixes, const SearchHome& where) {
    const fs::path& home = where.Home;
    const std::string flatpak = "com.heroicgameslauncher.hgl";
    const std::pair<fs::path, std::string> configs[] = {
        {(where.ConfigHome.empty() ? home / ".config" : where.ConfigHome) / "heroic", ""},
        {home / ".var/app" / flatpak / "config/heroic", flatpak}};
    for (const auto& [config, app] : configs)
        for (const fs::path& file : EntriesByName(config / "GamesConfig"))
            if (HasExtension(file, {".json"}))
                if (const auto game = ReadHeroicGame(file, home))
                    prefixes.Add(game->Prefix, {Launcher::Heroic, game->AppName, app});
    prefixes.AddEach(home / "Games/Heroic/Prefixes", {Launcher::Heroic, "", ""});
    prefixes.AddEach(home / "Games/Heroic/Prefixes/default", {Launcher::Heroic, "", ""});
}

}  // namespace

bool IsWinePrefix(const fs::path& folder) {
    std::error_code ec;
    return fs::is_regular_file(folder / "system.reg", ec) &&
           (fs::is_directory(folder / "dosdevices", ec) ||
            fs::is_directory(folder / "drive_c", ec));
}

std::vector<FoundPrefix> FindWinePrefixes(const SearchHome& where) {
    const fs::path& home = where.Home;
    PrefixList prefixes;
    prefixes.Add(home / ".wine", {});
    prefixes.AddEach(home / ".local/share/wineprefixes", {});
    AddLutris(prefixes, where);

    for (const auto& [data, flatpak] :
         {std::pair<fs::path, std::string>{home / ".local/share/bottles", ""},
          {home / ".var/app/com.usebottles.bottles/data/bottles", "com.usebottles.bottles"}}) {
        AddBottles(prefixes, data / "bottles", flatpak);
        if (const auto custom = BottlesCustomPath(data / "data.yml"))
            AddBottles(prefixes, *custom, flatpak);
    }

    AddSteam(prefixes, home);
    AddHeroic(prefixes, where);
    prefixes.AddEach(home / "Games/umu", {Launcher::Umu, "", ""});
    prefixes.AddEach(home / ".PlayOnLinux/wineprefix", {Launcher::PlayOnLinux, "", ""});
    prefixes.AddEach(home / ".cxoffice", {Launcher::CrossOver, "", ""});
    std::error_code ec;
    for (const fs::path& folder : EntriesByName(home))
        if (fs::is_directory(folder / "drive_c", ec)) prefixes.Add(folder, {});
    return prefixes.Take();
}

}  // namespace movrand::platform
