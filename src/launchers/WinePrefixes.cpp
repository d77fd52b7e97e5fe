// SPDX-License-Identifier: GPL-3.0-or-later
#include "launchers/WinePrefixes.h"

#include <sys/stat.h>

#include <algorithm>
#include <map>
#include <utility>

#include "launchers/BottlesFiles.h"
#include "launchers/FaugusGames.h"
#include "launchers/HeroicGames.h"
#include "launchers/LutrisDatabase.h"
#include "launchers/LutrisGame.h"
#include "launchers/Q4WineDatabase.h"
#include "launchers/SteamLibraries.h"
#include "launchers/SteamShortcuts.h"
#include "wine/PrefixPlace.h"

namespace movrand::platform {
namespace fs = std::filesystem;

namespace {

// No home keeps more; a folder with more entries is looked at only this far.
constexpr std::size_t kMostEntriesPerPlace = 16384;
constexpr std::size_t kMostPrefixes = 16384;
constexpr std::size_t kMostSteamLibraries = 64;
// The launchers' files are small: a game file a few hundred bytes, a bottle's or a library's a
// few kilobytes; these caps are far above any real one.
constexpr std::size_t kLargestGameFile = 256u << 10;
constexpr std::size_t kLargestLauncherFile = 1u << 20;
constexpr std::size_t kLargestLibraryFile = 4u << 20;

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

std::vector<NamedFolder> Named(const std::vector<fs::path>& folders, const LauncherOrigin& origin) {
    std::vector<NamedFolder> named;
    for (const fs::path& folder : folders)
        if (folder.is_absolute()) named.push_back({folder.lexically_normal(), origin});
    return named;
}

class PrefixList {
  public:
    // Keeps `folder` when it is a prefix not found before; a folder that is none but holds one
    // as pfx/ gives that. A prefix found again keeps its place; it takes the launcher of the
    // later place when that one names the game and the first did not, and the game folders
    // named there are added to its own.
    void Add(const fs::path& folder, const LauncherOrigin& origin,
             const std::vector<NamedFolder>& named = {}) {
        if (found_.size() >= kMostPrefixes) return;
        if (IsWinePrefix(folder)) {
            Keep(folder, origin, named);
        } else if (std::error_code ec; fs::is_directory(folder / "pfx", ec)) {
            if (IsWinePrefix(folder / "pfx")) Keep(folder / "pfx", origin, named);
        }
    }
    void AddEach(const fs::path& place, const LauncherOrigin& origin) {
        for (const fs::path& folder : EntriesByName(place)) Add(folder, origin);
    }
    std::vector<FoundPrefix> Take() { return std::move(found_); }

  private:
    void Keep(const fs::path& folder, const LauncherOrigin& origin,
              const std::vector<NamedFolder>& named) {
        struct stat st {};
        if (::stat(folder.c_str(), &st) != 0) return;
        const auto [at, added] = index_.emplace(std::pair{st.st_dev, st.st_ino}, found_.size());
        if (added) {
            found_.push_back({folder.lexically_normal(), origin, named});
            return;
        }
        FoundPrefix& kept = found_[at->second];
        if (kept.Origin.Game.empty() && !origin.Game.empty()) kept.Origin = origin;
        kept.Named.insert(kept.Named.end(), named.begin(), named.end());
    }
    std::map<std::pair<dev_t, ino_t>, std::size_t> index_;
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

fs::path InFolder(const fs::path& path, const fs::path& folder) {
    if (path.empty() || path.is_absolute() || folder.empty()) return path;
    return folder / path;
}

// The data folders of the launchers: $XDG_DATA_HOME when it is set, and ~/.local/share.
std::vector<fs::path> DataHomes(const SearchHome& where) {
    std::vector<fs::path> homes;
    const fs::path standard = where.Home / ".local/share";
    if (!where.DataHome.empty() && where.DataHome.lexically_normal() != standard.lexically_normal())
        homes.push_back(where.DataHome);
    homes.push_back(standard);
    return homes;
}

// Lutris (its documentation and the files it writes): a YAML game file per game under
// games/ of its configuration folder (older versions: of its data folder), and the database
// pga.db in its data folder, whose `games` rows hold each game's id, folder and game file name.
void AddLutris(PrefixList& prefixes, const SearchHome& where, LauncherFiles& files) {
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
    for (const fs::path& data : DataHomes(where)) places.push_back({data / "lutris/games", false});
    places.push_back({flatpakHome / "config/lutris/games", true});
    places.push_back({flatpakHome / "data/lutris/games", true});
    std::vector<LutrisDatabaseGame> databases[2];  // the native Lutris's, the Flatpak's
    std::vector<std::pair<fs::path, int>> databaseFiles;
    for (const fs::path& data : DataHomes(where))
        databaseFiles.push_back({data / "lutris/pga.db", 0});
    databaseFiles.push_back({flatpakHome / "data/lutris/pga.db", 1});
    for (const auto& [file, d] : databaseFiles) {
        std::error_code ec;
        const std::uintmax_t size = fs::file_size(file, ec);
        if (ec || !files.Allow(file, static_cast<std::size_t>(size))) continue;
        std::vector<LutrisDatabaseGame> games = ReadLutrisDatabase(file);
        databases[d].insert(databases[d].end(), games.begin(), games.end());
    }
    // A game file's row: the one naming it, or in older databases without game file names the
    // one of its slug.
    std::map<std::string, const LutrisDatabaseGame*> rows[2], slugs[2];
    for (int d = 0; d < 2; ++d)
        for (const LutrisDatabaseGame& game : databases[d]) {
            if (!game.ConfigPath.empty()) rows[d].emplace(game.ConfigPath, &game);
            if (!game.Slug.empty()) slugs[d].emplace(game.Slug, &game);
        }

    for (const Place& place : places) {
        const auto& rowOf = rows[place.Flatpak ? 1 : 0];
        const auto& slugOf = slugs[place.Flatpak ? 1 : 0];
        for (const fs::path& file : EntriesByName(place.Games)) {
            if (!HasExtension(file, {".yml", ".yaml"})) continue;
            const auto text = files.Read(file, kLargestGameFile, Nesting::Yaml);
            if (!text) continue;
            const auto game = ParseLutrisGame(*text, home);
            if (!game) continue;
            const LutrisDatabaseGame* row = nullptr;
            if (const auto named = rowOf.find(file.stem().string()); named != rowOf.end())
                row = named->second;
            else if (const auto slug = slugOf.find(SlugOfGameFile(file));
                     slug != slugOf.end() && slug->second->ConfigPath.empty())
                row = slug->second;
            // A game its installer made names its program within the game's folder, which only
            // the database knows.
            const fs::path folder = row ? fs::path(row->Directory) : "";
            const fs::path exe = InFolder(game->Exe, folder);
            std::optional<fs::path> prefix;
            if (!game->Prefix.empty())
                prefix = InFolder(game->Prefix, folder);
            else if (exe.is_absolute())
                prefix = PrefixAbove(exe.parent_path());
            else if (folder.is_absolute())
                prefix = PrefixAbove(folder);
            if (!prefix || !prefix->is_absolute()) continue;
            const LauncherOrigin origin{Launcher::Lutris, row ? row->Id : SlugOfGameFile(file),
                                        place.Flatpak ? flatpak : ""};
            prefixes.Add(*prefix, origin,
                         Named({exe.parent_path(), InFolder(game->WorkingDir, folder)}, origin));
        }
    }
    for (int d = 0; d < 2; ++d)
        for (const LutrisDatabaseGame& game : databases[d]) {
            if (game.Directory.empty() || game.Directory.front() != '/') continue;
            const LauncherOrigin origin{Launcher::Lutris, game.Id, d == 1 ? flatpak : ""};
            if (const auto prefix = PrefixAbove(game.Directory))
                prefixes.Add(*prefix, origin, Named({game.Directory}, origin));
        }
    prefixes.AddEach(home / "Games", {Launcher::Lutris, "", ""});
}

// Bottles (its documentation): each bottle a folder with its bottle.yml under bottles/ of its
// data folder, or under the folder data.yml names as custom_bottles_path; a bottle made with a
// path of its own leaves a placeholder.yml in its place naming that path.
void AddBottles(PrefixList& prefixes, const fs::path& bottles, const std::string& flatpak,
                LauncherFiles& files) {
    for (const fs::path& entry : EntriesByName(bottles)) {
        fs::path folder = entry;
        if (!IsWinePrefix(folder))
            if (const auto text =
                    files.Read(entry / "placeholder.yml", kLargestLauncherFile, Nesting::Yaml))
                if (const auto own = BottlePlaceholderPath(*text)) folder = *own;
        if (!IsWinePrefix(folder)) continue;
        Bottle bottle;
        if (const auto text =
                files.Read(folder / "bottle.yml", kLargestLauncherFile, Nesting::Yaml))
            bottle = ParseBottle(*text).value_or(Bottle{});
        if (bottle.Name.empty()) bottle.Name = entry.filename().string();
        const LauncherOrigin origin{Launcher::Bottles, bottle.Name, flatpak};
        prefixes.Add(folder, origin, Named(bottle.ProgramFolders, origin));
    }
}

// Steam (Valve's documented layout of a Steam folder): libraryfolders.vdf names the libraries,
// each Proton prefix is steamapps/compatdata/<app id>/pfx, and the games added by hand are in
// userdata/<user>/config/shortcuts.vdf.
void AddSteam(PrefixList& prefixes, const fs::path& home, LauncherFiles& files) {
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
            if (const auto text =
                    files.Read(home / steam / vdf, kLargestLauncherFile, Nesting::Json))
                for (const fs::path& library : SteamLibraryFolders(*text))
                    if (libraries.size() < kMostSteamLibraries) libraries.push_back(library);
        std::map<std::string, std::vector<fs::path>> shortcuts;  // app id to its folders
        for (const fs::path& user : EntriesByName(home / steam / "userdata"))
            if (const auto bytes =
                    files.Read(user / "config/shortcuts.vdf", kLargestLibraryFile, Nesting::None))
                for (const SteamShortcut& s : ParseSteamShortcuts(*bytes)) {
                    auto& folders = shortcuts[std::to_string(s.AppId)];
                    folders.insert(folders.end(), s.Folders.begin(), s.Folders.end());
                }
        for (const fs::path& library : libraries)
            for (const char* apps : {"steamapps", "SteamApps"})
                for (const fs::path& game : EntriesByName(library / apps / "compatdata")) {
                    const LauncherOrigin origin{Launcher::Steam, game.filename().string(), app};
                    const auto named = shortcuts.find(origin.Game);
                    prefixes.Add(game / "pfx", origin,
                                 named != shortcuts.end() ? Named(named->second, origin)
                                                          : std::vector<NamedFolder>{});
                }
    }
}

// Heroic (its documentation and files): GamesConfig/<app>.json holds each game's winePrefix,
// sideload_apps/library.json the games added by hand, config.json the folder new prefixes are
// made in.
void AddHeroic(PrefixList& prefixes, const SearchHome& where, LauncherFiles& files) {
    const fs::path& home = where.Home;
    const std::string flatpak = "com.heroicgameslauncher.hgl";
    const std::pair<fs::path, std::string> configs[] = {
        {(where.ConfigHome.empty() ? home / ".config" : where.ConfigHome) / "heroic", ""},
        {home / ".var/app" / flatpak / "config/heroic", flatpak}};
    std::vector<fs::path> defaults;
    for (const auto& [config, app] : configs) {
        std::map<std::string, std::vector<fs::path>> sideloaded;
        if (const auto text = files.Read(config / "sideload_apps/library.json", kLargestLibraryFile,
                                         Nesting::Json))
            for (HeroicSideloadGame& game : ParseHeroicSideloadLibrary(*text, home))
                sideloaded[game.AppName] = std::move(game.Folders);
        for (const fs::path& file : EntriesByName(config / "GamesConfig")) {
            if (!HasExtension(file, {".json"})) continue;
            const auto text = files.Read(file, kLargestLauncherFile, Nesting::Json);
            if (!text) continue;
            if (const auto game = ParseHeroicGame(*text, file.stem().string(), home)) {
                const LauncherOrigin origin{Launcher::Heroic, game->AppName, app};
                const auto named = sideloaded.find(game->AppName);
                prefixes.Add(game->Prefix, origin,
                             named != sideloaded.end() ? Named(named->second, origin)
                                                       : std::vector<NamedFolder>{});
            }
        }
        if (const auto text =
                files.Read(config / "config.json", kLargestLauncherFile, Nesting::Json))
            if (const auto folder = ParseHeroicDefaultPrefixes(*text, home))
                defaults.push_back(*folder);
    }
    prefixes.AddEach(home / "Games/Heroic/Prefixes", {Launcher::Heroic, "", ""});
    prefixes.AddEach(home / "Games/Heroic/Prefixes/default", {Launcher::Heroic, "", ""});
    for (const fs::path& folder : defaults) prefixes.AddEach(folder, {Launcher::Heroic, "", ""});
}

// PortProton (its own front end's way of finding it): each prefix a folder of data/prefixes/ (in
// older versions of prefixes/) in its PortProton folder. That folder is the one named by the
// text of PortProton.conf in the configuration folder, else ~/PortProton, DATA/PortWINE/PortProton
// or ~/PortWINE/PortProton; its Flatpak keeps it in its own folder.
void AddPortProton(PrefixList& prefixes, const SearchHome& where, LauncherFiles& files) {
    const fs::path& home = where.Home;
    const fs::path flatpak = home / ".var/app/ru.linux_gaming.PortProton";
    std::vector<fs::path> places;
    std::vector<fs::path> configs = {home / ".config", flatpak / "config"};
    if (!where.ConfigHome.empty()) configs.insert(configs.begin(), where.ConfigHome);
    for (const fs::path& config : configs)
        if (const auto text = files.Read(config / "PortProton.conf", 4096, Nesting::None)) {
            std::string named = text->substr(0, text->find_first_of("\r\n"));
            named.erase(named.find_last_not_of(" \t") + 1);
            if (named.starts_with("/")) places.emplace_back(named);
        }
    places.push_back(home / "PortProton");
    for (const fs::path& data : DataHomes(where)) places.push_back(data / "PortWINE/PortProton");
    places.push_back(home / "PortWINE/PortProton");
    for (const fs::path& own : {flatpak, flatpak / "PortProton", flatpak / "data/PortProton"})
        places.push_back(own);
    for (const fs::path& portProton : places) {
        prefixes.AddEach(portProton / "data/prefixes", {Launcher::PortProton, "", ""});
        prefixes.AddEach(portProton / "prefixes", {Launcher::PortProton, "", ""});
    }
}

// Faugus Launcher (its source): its games in games.json of its data folder (older versions: of
// its configuration folder), each with "gameid", "prefix" and the "path" of the program it
// starts; new prefixes in ~/Faugus/.
void AddFaugus(PrefixList& prefixes, const SearchHome& where, LauncherFiles& files) {
    const fs::path& home = where.Home;
    const std::string flatpak = "io.github.Faugus.faugus-launcher";
    const fs::path flatpakHome = home / ".var/app" / flatpak;
    std::vector<std::pair<fs::path, std::string>> places;
    for (const fs::path& data : DataHomes(where)) places.push_back({data / "faugus-launcher", ""});
    places.push_back(
        {(where.ConfigHome.empty() ? home / ".config" : where.ConfigHome) / "faugus-launcher", ""});
    places.push_back({flatpakHome / "data/faugus-launcher", flatpak});
    places.push_back({flatpakHome / "config/faugus-launcher", flatpak});
    for (const auto& [place, app] : places)
        if (const auto text = files.Read(place / "games.json", kLargestLibraryFile, Nesting::Json))
            for (const FaugusGame& game : ParseFaugusGames(*text, home)) {
                const LauncherOrigin origin{Launcher::Faugus, game.Id, app};
                prefixes.Add(game.Prefix, origin, Named(game.Folders, origin));
            }
    prefixes.AddEach(home / "Faugus", {Launcher::Faugus, "", ""});
}

// q4wine (its source): its prefixes in its database ~/.config/q4wine/db/generic.dat, which it
// opens below the home whatever $XDG_CONFIG_HOME says. New prefixes go to the folder its settings
// name, ~/.local/share/wineprefixes unless changed, and each is kept in the database.
void AddQ4Wine(PrefixList& prefixes, const fs::path& home, LauncherFiles& files) {
    const fs::path database = home / ".config/q4wine/db/generic.dat";
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(database, ec);
    if (ec || !files.Allow(database, static_cast<std::size_t>(size))) return;
    for (const Q4WinePrefix& prefix : ReadQ4WineDatabase(database)) {
        const LauncherOrigin origin{Launcher::Q4Wine, prefix.Name, ""};
        prefixes.Add(prefix.Path, origin, Named(prefix.Folders, origin));
    }
}

}  // namespace

std::vector<FoundPrefix> FindWinePrefixes(const SearchHome& where) {
    LauncherFiles files;
    return FindWinePrefixes(where, files);
}

std::vector<FoundPrefix> FindWinePrefixes(const SearchHome& where, LauncherFiles& files) {
    const fs::path& home = where.Home;
    PrefixList prefixes;
    prefixes.Add(home / ".wine", {});
    for (const fs::path& data : DataHomes(where)) prefixes.AddEach(data / "wineprefixes", {});
    AddLutris(prefixes, where, files);

    std::vector<std::pair<fs::path, std::string>> bottles;
    for (const fs::path& data : DataHomes(where)) bottles.push_back({data / "bottles", ""});
    bottles.push_back(
        {home / ".var/app/com.usebottles.bottles/data/bottles", "com.usebottles.bottles"});
    for (const auto& [data, flatpak] : bottles) {
        AddBottles(prefixes, data / "bottles", flatpak, files);
        if (const auto text = files.Read(data / "data.yml", kLargestLauncherFile, Nesting::Yaml))
            if (const auto custom = BottlesCustomPath(*text))
                AddBottles(prefixes, *custom, flatpak, files);
    }

    AddSteam(prefixes, home, files);
    AddHeroic(prefixes, where, files);
    prefixes.AddEach(home / "Games/umu", {Launcher::Umu, "", ""});
    prefixes.AddEach(home / ".PlayOnLinux/wineprefix", {Launcher::PlayOnLinux, "", ""});
    prefixes.AddEach(home / ".cxoffice", {Launcher::CrossOver, "", ""});
    AddPortProton(prefixes, where, files);
    AddFaugus(prefixes, where, files);
    AddQ4Wine(prefixes, home, files);
    // The Wine Flatpak's own prefix, and prefixes kept one folder down.
    prefixes.Add(home / ".var/app/org.winehq.Wine/data/wine", {});
    prefixes.AddEach(home / "wine", {});
    prefixes.AddEach(home / ".wineprefixes", {});
    std::error_code ec;
    for (const fs::path& folder : EntriesByName(home))
        if (fs::is_directory(folder / "drive_c", ec)) prefixes.Add(folder, {});
    return prefixes.Take();
}

}  // namespace movrand::platform
