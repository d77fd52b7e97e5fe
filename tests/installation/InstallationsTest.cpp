// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>

#include "DemoInstallation.h"
#include "TempDrive.h"
#include "installation/GplInstallation.h"
#include "installation/Installations.h"
#include "launchers/SteamShortcuts.h"
#include "launchers/WinePrefixes.h"
#include "platform/SettingsKeys.h"
#include "session/Main.h"
#include "wine/PrefixPlace.h"

namespace movrand::test {
namespace {
namespace fs = std::filesystem;

// A temporary home: prefixes made under it and a run's values over it.
struct Home {
    fs::path root = MakeTempFolder("movrand-home-");
    ~Home() { RemoveTree(root); }
    void Prefix(const std::string& where) { demo::MakeDemoPrefix(root / where); }
    void Write(const std::string& file, const std::string& text) {
        demo::WriteFile(root / file, text);
    }
    std::vector<std::string> Found() const {
        std::vector<std::string> found;
        for (const platform::FoundPrefix& p : platform::FindWinePrefixes({root, {}}))
            found.push_back(p.Prefix.lexically_relative(root).string());
        return found;
    }
};

TEST(Installations, PrefixesOfEveryManagerAreFoundOnceInTheirOrder) {
    struct Row {
        const char* name;
        std::vector<std::string> prefixes;
        std::vector<std::pair<std::string, std::string>> files;  // path, content ("@" = prefix)
        std::vector<std::string> expected;
    };
    const std::vector<Row> rows = {
        {"plain",
         {".wine", ".local/share/wineprefixes/gpl"},
         {},
         {".wine", ".local/share/wineprefixes/gpl"}},
        {"Lutris with two games, one under ~/Games",
         {"Games/gpl", "lutris/other"},
         {{".config/lutris/games/gpl.yml", "game:\n  prefix: @/Games/gpl\n"},
          {".local/share/lutris/games/b.yml",
           "name: x\ngame:\n  exe: a.exe\n  prefix: ~/lutris/other\n"}},
         {"Games/gpl", "lutris/other"}},
        {"Bottles in both places",
         {".local/share/bottles/bottles/GPL",
          ".var/app/com.usebottles.bottles/data/bottles/bottles/G"},
         {},
         {".local/share/bottles/bottles/GPL",
          ".var/app/com.usebottles.bottles/data/bottles/bottles/G"}},
        {"Proton with a second library",
         {".steam/steam/steamapps/compatdata/1/pfx", "lib2/steamapps/compatdata/2/pfx",
          "lib3/steamapps/compatdata/3/pfx"},
         {{".steam/steam/steamapps/libraryfolders.vdf",
           "\"libraryfolders\"\n{\n \"0\" { \"path\" \"@/lib2\" \"apps\" { \"2\" \"1\" } }\n}\n"},
          {".local/share/Steam/config/libraryfolders.vdf",
           "\"LibraryFolders\" { \"ContentStatsID\" \"-1\" \"1\" \"@/lib3\" }"}},
         {".steam/steam/steamapps/compatdata/1/pfx", "lib2/steamapps/compatdata/2/pfx",
          "lib3/steamapps/compatdata/3/pfx"}},
        {"PlayOnLinux and CrossOver",
         {".cxoffice/gpl", ".PlayOnLinux/wineprefix/gpl"},
         {},
         {".PlayOnLinux/wineprefix/gpl", ".cxoffice/gpl"}},
        {"damaged YAML and VDF, a folder without system.reg",
         {"Games/ok"},
         {{".config/lutris/games/bad.yml", "game: [prefix: {\n\t\"\x01"},
          {".local/share/Steam/steamapps/libraryfolders.vdf",
           "\"a\" { \"path\" \"/nowhere\" }}}\"x"},
          {".local/share/wineprefixes/half/drive_c/x", ""}},
         {"Games/ok"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Home home;
        for (const std::string& p : row.prefixes) home.Prefix(p);
        for (auto [file, text] : row.files) {
            for (std::size_t at; (at = text.find('@')) != std::string::npos;)
                text.replace(at, 1, home.root.string());
            home.Write(file, text);
        }
        EXPECT_EQ(home.Found(), row.expected);
    }
    // A link that loops and a link to a prefix already found lead to nothing new.
    Home home;
    home.Prefix("Games/gpl");
    fs::create_directories(home.root / ".local/share/wineprefixes");
    fs::create_directory_symlink(home.root / "Games/gpl",
                                 home.root / ".local/share/wineprefixes/a");
    fs::create_directory_symlink(home.root / "Games/loop", home.root / "Games/loop");
    EXPECT_EQ(home.Found(), (std::vector<std::string>{".local/share/wineprefixes/a"}));
}

// A launcher's SQLite database made by `sql`.
void WriteDatabase(const fs::path& file, const std::string& sql) {
    fs::create_directories(file.parent_path());
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
}

// A Lutris database with one game row.
void WriteLutrisDatabase(const fs::path& file, const std::string& directory) {
    WriteDatabase(file,
                  "CREATE TABLE games (id INTEGER PRIMARY KEY, name TEXT, slug TEXT, directory "
                  "TEXT, configpath TEXT); INSERT INTO games VALUES (7, 'GPL', 'gpl', '" +
                      directory + "', 'gpl-1700000000');");
}

TEST(Installations, EveryLaunchersInstallationIsFoundWithItsLauncher) {
    struct Row {
        const char* name;
        std::string prefix;                                      // made with GPL in C:\sierra\gpl
        std::vector<std::pair<std::string, std::string>> files;  // path, content ("@" = home)
        std::string expected;  // prefix, Windows path, launcher, its game; "" for none
        const char* configHome = "";
    };
    const std::string gpl = "\tC:\\sierra\\gpl\\driver.ini\t";
    const std::vector<Row> rows = {
        {"Bottles kept elsewhere",
         "big/bottles/GPL",
         {{".local/share/bottles/data.yml", "custom_bottles_path: @/big/bottles\n"},
          {"big/bottles/GPL/bottle.yml", "Name: Grand Prix\nPath: GPL\n"}},
         "big/bottles/GPL" + gpl + "Bottles\tGrand Prix"},
        {"a bottle with its own path",
         "elsewhere/gpl",
         {{".var/app/com.usebottles.bottles/data/bottles/bottles/GPL/placeholder.yml",
           "Path: @/elsewhere/gpl\n"}},
         "elsewhere/gpl" + gpl + "Bottles\tGPL"},
        {"Lutris game file without prefix, Proton's pfx",
         "gpl/pfx",
         {{".local/share/lutris/games/gpl-1700000000.yml",
           "game:\n  exe: @/gpl/pfx/drive_c/sierra/gpl/gpl.exe\n"}},
         "gpl/pfx" + gpl + "Lutris\tgpl"},
        {"Lutris Flatpak",
         "lutris/gpl",
         {{".var/app/net.lutris.Lutris/data/lutris/games/gpl-1700000000.yml",
           "game:\n  prefix: ~/lutris/gpl\n"}},
         "lutris/gpl" + gpl + "Lutris\tgpl"},
        {"Lutris under XDG_CONFIG_HOME",
         "lutris/gpl",
         {{"xdg/lutris/games/gpl.yml", "game:\n  prefix: @/lutris/gpl\n"}},
         "lutris/gpl" + gpl + "Lutris\tgpl",
         "xdg"},
        {"Lutris database without the game file",
         "lutris/gpl",
         {{"pga.db", "@/lutris/gpl/drive_c/sierra"}},
         "lutris/gpl" + gpl + "Lutris\t7"},
        {"Steam Snap",
         "snap/steam/common/.local/share/Steam/steamapps/compatdata/3141592653/pfx",
         {},
         "snap/steam/common/.local/share/Steam/steamapps/compatdata/3141592653/pfx" + gpl +
             "Steam\t3141592653"},
        {"Steam library spelt SteamApps",
         "lib/SteamApps/compatdata/12/pfx",
         {{".steam/steam/steamapps/libraryfolders.vdf",
           "\"libraryfolders\" { \"0\" { \"path\" \"@/lib\" } }"}},
         "lib/SteamApps/compatdata/12/pfx" + gpl + "Steam\t12"},
        {"Heroic under XDG_CONFIG_HOME and its Flatpak",
         "Heroic/gpl",
         {{"xdg/heroic/GamesConfig/Gpl1.json", "{\"Gpl1\": {\"winePrefix\": \"~/Heroic/gpl\"}}"},
          {".var/app/com.heroicgameslauncher.hgl/config/heroic/GamesConfig/x.json",
           "{\"x\": {\"winePrefix\": \"@/Heroic/gpl\"}}"}},
         "Heroic/gpl" + gpl + "Heroic\tGpl1",
         "xdg"},
        {"Heroic's default prefixes",
         "Games/Heroic/Prefixes/default/Grand Prix Legends",
         {},
         "Games/Heroic/Prefixes/default/Grand Prix Legends" + gpl + "Heroic\t"},
        {"umu", "Games/umu/umu-0", {}, "Games/umu/umu-0" + gpl + "umu\t"},
        {"Wine has not made dosdevices yet",
         ".wine",
         {{"rm", "dosdevices"}},
         ".wine" + gpl + "Wine\t"},
        {"a prefix directly under the home", ".gpl", {}, ".gpl" + gpl + "Wine\t"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Home home;
        home.Prefix(row.prefix);
        for (auto [file, text] : row.files) {
            for (std::size_t at; (at = text.find('@')) != std::string::npos;)
                text.replace(at, 1, home.root.string());
            if (file == "rm")
                fs::remove_all(home.root / row.prefix / text);
            else if (file == "pga.db")
                WriteLutrisDatabase(home.root / ".local/share/lutris/pga.db", text);
            else
                home.Write(file, text);
        }
        const fs::path config = *row.configHome ? home.root / row.configHome : fs::path();
        std::string found;
        for (const Installation& i : FindInstallations({home.root, config}, {}))
            found += i.Prefix.lexically_relative(home.root).string() + '\t' + i.DriverIniFile +
                     '\t' + platform::LauncherName(i.Origin.Through) + '\t' + i.Origin.Game;
        EXPECT_EQ(found, row.expected);
    }
}

// A Wine prefix as Wine makes it, without GPL: C: its drive_c (with a windows folder), Z: "/".
void EmptyPrefix(const fs::path& prefix) {
    fs::create_directories(prefix / "dosdevices");
    fs::create_directories(prefix / "drive_c/windows/system32");
    fs::create_directory_symlink("../drive_c", prefix / "dosdevices/c:");
    fs::create_directory_symlink("/", prefix / "dosdevices/z:");
    demo::WriteFile(prefix / "system.reg", "WINE REGISTRY Version 2\n");
}

// Steam's binary shortcuts.vdf with one game added by hand.
std::string SteamShortcutsFile(std::uint32_t appId, const std::string& exe) {
    std::string id(4, '\0');
    for (int i = 0; i < 4; ++i) id[i] = static_cast<char>((appId >> (8 * i)) & 0xFF);
    using namespace std::string_literals;
    return "\0shortcuts\0\0000\0\x02"s + "appid\0"s + id + "\x01" + "AppName\0GPL\0"s + "\x01" +
           "Exe\0\""s + exe + "\"\0"s + "\x00tags\0\x08\x08\x08\x08"s;
}

// An older Steam writes no "appid": the shortcut's id is Steam's own from its Exe and AppName.
TEST(Installations, ASteamShortcutWithoutAppIdHasSteamsId) {
    using namespace std::string_literals;
    const std::string file = "\0shortcuts\0\0000\0\x01"s + "appname\0Grand Prix Legends\0"s +
                             "\x01" + "exe\0\"/opt/GPL/gpl.exe\"\0"s + "\x08\x08\x08"s;
    const auto shortcuts = platform::ParseSteamShortcuts(file);
    ASSERT_EQ(shortcuts.size(), 1u);
    EXPECT_EQ(shortcuts[0].AppId, 2634285907u);
    EXPECT_EQ(shortcuts[0].Folders, std::vector<fs::path>{"/opt/GPL"});
}

// Homes as the launchers leave them ("@" the home; in a Windows path its Z: path): each GPL
// found in its prefix, at its Windows path, with the launcher that starts it.
TEST(Installations, GplIsFoundWhereverThePlayerPutIt) {
    struct Row {
        const char* name;
        std::vector<std::string> prefixes, gpls;
        std::vector<std::pair<std::string, std::string>> files;  // path, content ("->" a link)
        std::string expected;  // a line per installation: prefix, Windows path, launcher, game
        const char* dataHome = "";
    };
    const std::string shortcut = SteamShortcutsFile(2882400018u, "@/steam-gpl/GPL/gpl.exe");
    const std::vector<Row> rows = {
        {"anywhere on C:, two in one prefix",
         {".wine"},
         {".wine/drive_c/Papy/GPL", ".wine/drive_c/GPL", ".wine/drive_c/sierra/gpl65",
          ".wine/drive_c/sierra/gpl"},
         {},
         ".wine\tC:\\sierra\\gpl\tWine\t\n.wine\tC:\\GPL\tWine\t\n"
         ".wine\tC:\\Papy\\GPL\tWine\t\n.wine\tC:\\sierra\\gpl65\tWine\t\n"},
        {"Program Files (x86) and a second disk",
         {".wine"},
         {".wine/drive_c/Program Files (x86)/Sierra/GPL", "disk/GOG Games/GPL"},
         {{".wine/dosdevices/d:", "->@/disk"}},
         ".wine\tC:\\Program Files (x86)\\Sierra\\GPL\tWine\t\n"
         ".wine\tD:\\GOG Games\\GPL\tWine\t\n"},
        {"too deep, in windows, on the home's drive",
         {".wine"},
         {".wine/drive_c/a/b/c/d/GPL", ".wine/drive_c/windows/GPL", "GPL"},
         {{".wine/dosdevices/h:", "->@"}},
         ""},
        {"Lutris's exe: beside the prefix",
         {"Games/gpl"},
         {"GOG Games/GPL"},
         {{".config/lutris/games/gpl-1.yml",
           "game:\n  exe: ~/GOG Games/GPL/gpl.exe\n  prefix: @/Games/gpl\n"}},
         "Games/gpl\tZ:@\\GOG Games\\GPL\tLutris\tgpl\n"},
        {"two in a Lutris prefix, its game file naming one",
         {"Games/gpl"},
         {"Games/gpl/drive_c/GPL65", "Games/gpl/drive_c/GPL67"},
         {{".config/lutris/games/gpl-1.yml",
           "game:\n  exe: @/Games/gpl/drive_c/GPL67/gpl.exe\n  working_dir: @/Games/gpl/drive_c/GPL67\n"}},
         "Games/gpl\tC:\\GPL67\tLutris\tgpl\nGames/gpl\tC:\\GPL65\tLutris\t\n"},
        {"a Bottles program deeper than the walk",
         {".local/share/bottles/bottles/GPL"},
         {".local/share/bottles/bottles/GPL/drive_c/a/b/c/d/GPL"},
         {{".local/share/bottles/bottles/GPL/bottle.yml",
           "Name: Grand Prix\nExternal_Programs:\n  5d2c:\n    executable: gpl.exe\n    name: GPL\n"
           "    path: @/.local/share/bottles/bottles/GPL/drive_c/a/b/c/d/GPL/gpl.exe\n"}},
         ".local/share/bottles/bottles/GPL\tC:\\a\\b\\c\\d\\GPL\tBottles\tGrand Prix\n"},
        {"Heroic's game added by hand",
         {"Games/Heroic/Prefixes/default/GPL"},
         {"GPL67"},
         {{".config/heroic/GamesConfig/x1.json",
           "{\"x1\": {\"winePrefix\": \"@/Games/Heroic/Prefixes/default/GPL\"}}"},
          {".config/heroic/sideload_apps/library.json",
           "{\"games\": [{\"app_name\": \"x1\", \"runner\": \"sideload\", \"install\": "
           "{\"executable\": \"@/GPL67/gpl.exe\", \"platform\": \"windows\"}, "
           "\"folder_name\": \"@/GPL67\"}]}"}},
         "Games/Heroic/Prefixes/default/GPL\tZ:@\\GPL67\tHeroic\tx1\n"},
        {"a Steam shortcut",
         {".steam/steam/steamapps/compatdata/2882400018/pfx"},
         {"steam-gpl/GPL"},
         {{".steam/steam/userdata/1000/config/shortcuts.vdf", shortcut}},
         ".steam/steam/steamapps/compatdata/2882400018/pfx\tZ:@\\steam-gpl\\GPL\tSteam\t2882400018\n"},
        {"Lutris's installer-made game, its files in $XDG_DATA_HOME",
         {"lutris-games/gpl"},
         {"lutris-games/gpl/drive_c/Papy/GPL"},
         {{"xdg/lutris/games/gpl-1700000000.yml", "game:\n  exe: drive_c/Papy/GPL/gpl.exe\n"},
          {"xdg/lutris/pga.db", "@/lutris-games/gpl"}},
         "lutris-games/gpl\tC:\\Papy\\GPL\tLutris\t7\n",
         "xdg"},
        {"winetricks and Bottles in $XDG_DATA_HOME",
         {"xdg/bottles/bottles/B", "xdg/wineprefixes/w"},
         {"xdg/bottles/bottles/B/drive_c/sierra/gpl", "xdg/wineprefixes/w/drive_c/sierra/gpl"},
         {},
         "xdg/wineprefixes/w\tC:\\sierra\\gpl\tWine\t\nxdg/bottles/bottles/B\tC:\\sierra\\gpl\tBottles\tB\n",
         "xdg"},
        {"PortProton where its settings name it, and its Flatpak",
         {"PP/data/prefixes/DEFAULT", ".var/app/ru.linux_gaming.PortProton/data/prefixes/GPL"},
         {"PP/data/prefixes/DEFAULT/drive_c/GPL",
          ".var/app/ru.linux_gaming.PortProton/data/prefixes/GPL/drive_c/GPL"},
         {{".config/PortProton.conf", "@/PP\n"}},
         "PP/data/prefixes/DEFAULT\tC:\\GPL\tPortProton\t\n"
         ".var/app/ru.linux_gaming.PortProton/data/prefixes/GPL\tC:\\GPL\tPortProton\t\n"},
        {"Faugus Launcher",
         {"Faugus/gpl"},
         {"Faugus/gpl/drive_c/a/b/c/d/GPL"},
         {{".local/share/faugus-launcher/games.json",
           "[{\"gameid\": \"gpl\", \"title\": \"GPL\", \"path\": "
           "\"@/Faugus/gpl/drive_c/a/b/c/d/GPL/gpl.exe\", \"prefix\": \"@/Faugus/gpl\"}]"}},
         "Faugus/gpl\tC:\\a\\b\\c\\d\\GPL\tFaugus Launcher\tgpl\n"},
        {"q4wine, its Default prefix left to Wine",
         {".wine", "q4/gpl"},
         {".wine/drive_c/GPL", "q4games/GPL", "q4/gpl/drive_c/GPL"},
         {{".config/q4wine/db/generic.dat",
           "CREATE TABLE prefix (id INTEGER PRIMARY KEY, name TEXT, path TEXT);"
           "CREATE TABLE icon (exec TEXT, wrkdir TEXT, id INTEGER PRIMARY KEY, prefix_id NUMERIC);"
           "INSERT INTO prefix VALUES (1, 'Default', NULL), (2, 'GPL', '@/q4/gpl/');"
           "INSERT INTO icon VALUES ('@/q4games/GPL/gpl.exe', NULL, 1, 2);"}},
         ".wine\tC:\\GPL\tWine\t\nq4/gpl\tZ:@\\q4games\\GPL\tq4wine\tGPL\n"
         "q4/gpl\tC:\\GPL\tq4wine\tGPL\n"},
        {"the Wine Flatpak, prefixes one folder down, Heroic's default folder",
         {".var/app/org.winehq.Wine/data/wine", "wine/gpl", ".wineprefixes/gpl", "HP/gpl"},
         {".var/app/org.winehq.Wine/data/wine/drive_c/GPL", "wine/gpl/drive_c/GPL",
          ".wineprefixes/gpl/drive_c/GPL", "HP/gpl/drive_c/GPL"},
         {{".config/heroic/config.json",
           "{\"defaultSettings\": {\"defaultWinePrefix\": \"@/HP\"}}"}},
         "HP/gpl\tC:\\GPL\tHeroic\t\n.var/app/org.winehq.Wine/data/wine\tC:\\GPL\tWine\t\n"
         "wine/gpl\tC:\\GPL\tWine\t\n.wineprefixes/gpl\tC:\\GPL\tWine\t\n"},
        {"Lutris games in ~/.wine and in a winetricks prefix",
         {".wine", ".local/share/wineprefixes/gpl"},
         {".wine/drive_c/sierra/gpl", ".local/share/wineprefixes/gpl/drive_c/GPL"},
         {{".config/lutris/games/gpl-1.yml", "game:\n  prefix: ~/.wine\n"},
          {".config/lutris/games/gpl65-2.yml",
           "game:\n  prefix: ~/.local/share/wineprefixes/gpl\n"}},
         ".wine\tC:\\sierra\\gpl\tLutris\tgpl\n"
         ".local/share/wineprefixes/gpl\tC:\\GPL\tLutris\tgpl65\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Home home;
        const std::string at = home.root.string();
        const fs::path data = *row.dataHome ? home.root / row.dataHome : fs::path();
        const auto expand = [&](std::string text, const std::string& by) {
            for (std::size_t i; (i = text.find('@')) != std::string::npos;) text.replace(i, 1, by);
            return text;
        };
        for (const std::string& p : row.prefixes) EmptyPrefix(home.root / p);
        for (const std::string& g : row.gpls) demo::MakeGplInstallation(home.root / g);
        for (const auto& [file, text] : row.files)
            if (text.starts_with("->"))
                fs::create_directory_symlink(expand(text.substr(2), at), home.root / file);
            else if (file.ends_with("pga.db"))
                WriteLutrisDatabase(home.root / file, expand(text, at));
            else if (file.ends_with(".dat"))
                WriteDatabase(home.root / file, expand(text, at));
            else
                home.Write(file, expand(text, at));
        std::string found;
        for (const Installation& i : FindInstallations({home.root, {}, data}, {}))
            found += i.Prefix.lexically_relative(home.root).string() + '\t' +
                     i.DriverIniFile.substr(0, i.DriverIniFile.size() - 11) + '\t' +
                     platform::LauncherName(i.Origin.Through) + '\t' + i.Origin.Game + '\n';
        std::string windowsHome = at;
        std::replace(windowsHome.begin(), windowsHome.end(), '/', '\\');
        EXPECT_EQ(found, expand(row.expected, windowsHome));
    }
}

// Every launcher file the search reads, made hostile at once: what it cannot read safely it
// skips, without blocking or growing, and the one good prefix is still found.
TEST(Installations, HostileLauncherFilesAreSkippedInBoundedTime) {
    Home home;
    home.Prefix("Games/gpl");
    // Lutris's database truncated, and the Flatpak's far larger than any library (sparse).
    const fs::path lutris = home.root / ".local/share/lutris/pga.db";
    WriteLutrisDatabase(lutris, home.root.string() + "/Games/gpl");
    fs::resize_file(lutris, 1000);
    const fs::path flatpak = home.root / ".var/app/net.lutris.Lutris/data/lutris/pga.db";
    WriteLutrisDatabase(flatpak, home.root.string() + "/Games/gpl");
    fs::resize_file(flatpak, std::uintmax_t(80) << 20);
    const std::string deep(400000, '[');
    for (const auto& [file, text] : std::vector<std::pair<std::string, std::string>>{
             {".config/heroic/GamesConfig/deep.json", "{\"deep\": " + deep},
             {".config/heroic/GamesConfig/big.json", std::string(3 << 20, ' ') + "{}"},
             {".local/share/bottles/data.yml", "custom_bottles_path: " + deep},
             {".local/share/bottles/bottles/x/placeholder.yml",
              "a: &a [x, x, x, x]\nb: &b [*a, *a, *a, *a]\nc: &c [*b, *b, *b, *b]\nPath: *c\n"}})
        home.Write(file, text);
    for (const fs::path& fifo :
         {home.root / ".var/app/com.heroicgameslauncher.hgl/config/heroic/GamesConfig/f.json",
          home.root / ".local/share/lutris/games/f.yml",
          home.root / ".var/app/com.usebottles.bottles/data/bottles/data.yml"}) {
        fs::create_directories(fifo.parent_path());
        ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    }
    const auto started = std::chrono::steady_clock::now();
    const std::vector<Installation> found = FindInstallations({home.root, {}}, {});
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].Prefix, home.root / "Games/gpl");
    EXPECT_EQ(found[0].Origin.Game, "");  // from ~/Games: neither database named a game
}

// A launcher file nested too deep or larger than its cap is refused before it is parsed, with a
// note naming it; the good prefix is still found.
TEST(Installations, HostileLauncherFilesAreRefusedWithANote) {
    struct Row {
        const char* name;
        std::string file, text, note;
    };
    std::string indented = "game:\n";
    for (int level = 1; level <= 70; ++level)
        indented += std::string(level * 2, ' ') + "k" + std::to_string(level) + ":\n";
    const std::vector<Row> rows = {
        {"brackets", ".config/lutris/games/deep.yml", "game: " + std::string(65, '['),
         "nests deeper than 64 levels"},
        {"indentation", ".local/share/bottles/data.yml", indented, "nests deeper than 64 levels"},
        {"sequences on one line", ".config/lutris/games/seq.yml",
         [] {
             std::string seq;
             for (int i = 0; i < 66; ++i) seq += "- ";
             return seq + "x\n";
         }(),
         "nests deeper than 64 levels"},
        {"JSON", ".config/heroic/GamesConfig/deep.json",
         std::string(65, '[') + std::string(65, ']'), "nests deeper than 64 levels"},
        {"a game file far larger than one", ".config/lutris/games/big.yml",
         "game:\n  exe: " + std::string(300 << 10, 'x') + "\n", "is larger than 262144 bytes"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Home home;
        home.Prefix(".wine");
        home.Write(row.file, row.text);
        std::vector<std::string> notes;
        EXPECT_EQ(FindInstallations({home.root, {}}, {}, &notes).size(), 1u);
        ASSERT_EQ(notes.size(), 1u);
        EXPECT_NE(notes[0].find((home.root / row.file).string() + ": it " + row.note),
                  std::string::npos)
            << notes[0];
    }
    // Within one search's budget, then the rest skipped with one note.
    Home home;
    for (const char* name : {"a", "b", "c", "d"}) home.Write(name, "key: value\n");
    platform::LauncherFiles files({25, 2});
    EXPECT_TRUE(files.Read(home.root / "a", 100, platform::Nesting::Yaml));
    EXPECT_TRUE(files.Read(home.root / "b", 100, platform::Nesting::Yaml));
    EXPECT_FALSE(files.Read(home.root / "c", 100, platform::Nesting::Yaml));
    EXPECT_FALSE(files.Read(home.root / "d", 100, platform::Nesting::Yaml));
    EXPECT_EQ(files.Notes(),
              std::vector<std::string>{"Skipped " + (home.root / "c").string() +
                                       " and every launcher file after it: the search reads at "
                                       "most 2 files and 25 bytes of them."});
}

// A start over a temporary home: ~/.wine and a Lutris prefix ~/Games/gpl each hold GPL at
// C:\sierra\gpl.
struct Start {
    Home home;
    ScriptedUi ui;
    ProgramValues pv;
    fs::path Wine() const { return home.root / ".wine"; }
    fs::path Lutris() const { return home.root / "Games/gpl"; }
    Start() {
        pv.Env.Settings = platform::SettingsStore(home.root / "config");
        pv.Env.DataHome = home.root / "data";
        pv.Env.Home = home.root;
    }
    void Store(const fs::path& prefix, const char* key = platform::kWinePrefixKey) {
        pv.Env.Settings.Save(platform::kSettingsApp, platform::kMovrandSection,
                             platform::kDriverIniFileKey, "C:\\sierra\\gpl\\driver.ini");
        pv.Env.Settings.Save(platform::kSettingsApp, platform::kMovrandSection, key,
                             prefix.string());
    }
    fs::path Run(const fs::path& prefix, bool given) {
        pv.Env.UsePrefix(prefix);
        pv.Env.PrefixGiven = given;
        return Main(pv, ui, [] {}) ? pv.Env.WinePrefix : fs::path("none");
    }
};

TEST(Installations, TheStartUsesTheStoredPairOrTheNamedPrefixOrAsks) {
    struct Row {
        const char* name;
        bool wine, lutris;  // installations present
        int stored;         // 0 none, 1 ~/.wine, 2 Lutris, 3 Lutris stored without its prefix
        int given;          // $WINEPREFIX: 0 none, 1 ~/.wine, 2 Lutris
        int chosen;         // the chooser's answer, when asked
        int used;           // 0 none, 1 ~/.wine, 2 Lutris
        std::size_t asked;  // lines of the chooser, 0 when not shown
    };
    const std::vector<Row> rows = {
        {"stored in Lutris, started from the menu", true, true, 2, 0, 0, 2, 0},
        {"stored in Lutris, $WINEPREFIX ~/.wine", true, true, 2, 1, 0, 1, 0},
        {"stored in Lutris, $WINEPREFIX Lutris", true, true, 2, 2, 0, 2, 0},
        {"stored before prefixes were kept", true, true, 3, 0, 0, 1, 0},
        {"nothing stored, only Lutris", false, true, 0, 0, 0, 2, 0},
        {"nothing stored, two: the second chosen", true, true, 0, 0, 1, 2, 2},
        {"nothing stored, two: cancelled, picker cancelled", true, true, 0, 0, -1, 0, 2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Start s;
        const fs::path prefixes[] = {"none", s.Wine(), s.Lutris()};
        s.home.Prefix(".wine");
        if (!row.wine) fs::remove_all(s.Wine() / "drive_c/sierra");
        if (row.lutris) s.home.Prefix("Games/gpl");
        if (row.stored)
            s.Store(prefixes[row.stored % 3], row.stored == 3 ? "Other" : platform::kWinePrefixKey);
        s.ui.Choices.push_back(row.chosen);
        EXPECT_EQ(s.Run(row.given ? prefixes[row.given] : s.Wine(), row.given != 0),
                  prefixes[row.used]);
        EXPECT_EQ(s.ui.ChooserCalls.empty() ? 0 : s.ui.ChooserCalls[0].size(), row.asked);
        if (row.used != 0 && row.stored != 2) {
            EXPECT_EQ(s.pv.Env.Settings.Get(platform::kSettingsApp, platform::kMovrandSection,
                                            platform::kWinePrefixKey),
                      row.stored == 3 ? "" : prefixes[row.used].string());
        }
    }
    // A stored prefix that has gone is told, and the start searches.
    Start s;
    s.home.Prefix(".wine");
    s.Store(s.Lutris());
    EXPECT_EQ(s.Run(s.Wine(), false), s.Wine());
    EXPECT_EQ(s.ui.Messages.at(0).Text,
              "The Wine prefix of the GPL installation last used, " + s.Lutris().string() +
                  ", could not be found. Movrand will look for it again.");
}

TEST(Installations, ANativePathInsideAPrefixIsThatPrefixsDrivePath) {
    Home home;
    home.Prefix("Games/gpl");
    const fs::path gpl = home.root / "Games/gpl/drive_c/sierra/gpl";
    const auto place = platform::PlaceInPrefix(gpl / "driver.ini", home.root);
    ASSERT_TRUE(place);
    EXPECT_EQ(place->Prefix, home.root / "Games/gpl");
    EXPECT_EQ(place->WindowsPath, "C:\\sierra\\gpl\\driver.ini");
    EXPECT_FALSE(platform::PlaceInPrefix(home.root / "Games", home.root));
    EXPECT_FALSE(platform::PlaceInPrefix(home.root / "Games/gpl/dosdevices", home.root));
    // Where dosdevices holds both c: and C:, c: is the drive, as for Wine.
    fs::create_directory_symlink(home.root / "elsewhere", home.root / "Games/gpl/dosdevices/C:");
    EXPECT_EQ(platform::DriveTable::FromWinePrefix(home.root / "Games/gpl").Find('c')->Root,
              home.root / "Games/gpl/drive_c");

    // The GPL Directory page's Save given the folder through Z: stores the pair.
    Start s;
    s.home.Prefix(".wine");
    s.home.Prefix("Games/gpl");
    s.Store(s.Wine());
    ASSERT_EQ(s.Run(s.Wine(), false), s.Wine());
    s.ui.DefaultAnswer = true;
    const std::string viaZ = s.pv.Files().WindowsOf(s.Lutris() / "drive_c/sierra/gpl");
    ASSERT_TRUE(ChangeGPLInstallation(s.pv, s.ui, viaZ));
    EXPECT_EQ(s.pv.GPLPath, "C:\\sierra\\gpl\\");
    EXPECT_EQ(s.pv.Env.WinePrefix, s.Lutris());
    EXPECT_EQ(s.pv.Env.Settings.Get(platform::kSettingsApp, platform::kMovrandSection,
                                    platform::kWinePrefixKey),
              s.Lutris().string());
}

TEST(Installations, ALockFileDeletedOrReplacedWhileHeldStillKeepsASecondRunOut) {
    Home home;
    const auto held = platform::ProgramLock::Take(home.root, std::chrono::milliseconds(0));
    ASSERT_EQ(held.Result(), platform::ProgramLock::State::Held);
    fs::remove(home.root / "movrand.lock");
    EXPECT_EQ(platform::ProgramLock::Take(home.root, std::chrono::milliseconds(100)).Result(),
              platform::ProgramLock::State::Busy);
    home.Write("movrand.lock", "");
    EXPECT_EQ(platform::ProgramLock::Take(home.root, std::chrono::milliseconds(100)).Result(),
              platform::ProgramLock::State::Busy);
}

}  // namespace
}  // namespace movrand::test
