// SPDX-License-Identifier: GPL-3.0-or-later
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include "DemoInstallation.h"
#include "FileSnapshot.h"
#include "ScriptedUi.h"
#include "TempDrive.h"
#include "common/GameRunning.h"
#include "installation/GameStart.h"
#include "platform/DetachedStart.h"
#include "roster/CarNumbers.h"
#include "wine/GameProcesses.h"

namespace movrand::test {
namespace {
namespace fs = std::filesystem;

// Sets an environment variable for one test and puts the old value back.
struct SetEnv {
    std::string name;
    std::optional<std::string> old;
    SetEnv(const char* n, const std::string& value) : name(n) {
        if (const char* was = std::getenv(n)) old = was;
        ::setenv(n, value.c_str(), 1);
    }
    ~SetEnv() { old ? ::setenv(name.c_str(), old->c_str(), 1) : ::unsetenv(name.c_str()); }
};

// A home with GPL in `prefix` and stub launchers on PATH that record how they were called: their
// name and arguments, their folder, how many of their open files are the test's held lock, and
// WINEPREFIX. They then hang, as a launcher may.
// Lutris's database listing one game, id 7, by its game file's name.
void LutrisLists(const fs::path& home, const std::string& gameFile) {
    const fs::path file = home / ".local/share/lutris/pga.db";
    fs::create_directories(file.parent_path());
    fs::remove(file);
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
    const std::string sql =
        "CREATE TABLE games (id INTEGER PRIMARY KEY, slug TEXT, directory TEXT, configpath "
        "TEXT); INSERT INTO games VALUES (7, 'gpl', '', '" +
        gameFile + "');";
    EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
}

struct StubHome {
    fs::path home = MakeTempFolder("movrand-start-");
    fs::path prefix;
    SetEnv path{"PATH", (home / "bin").string() + ":/usr/bin:/bin"};
    SetEnv record{"RECORD", (home / "record").string()};
    SetEnv noPrefix{"WINEPREFIX", ""};
    ProgramValues pv;
    ScriptedUi ui;
    explicit StubHome(const std::string& where) : prefix(home / where) {
        demo::MakeDemoPrefix(prefix);
        for (const char* name :
             {"lutris", "steam", "bottles-cli", "heroic", "flatpak", "wine", "q4wine-cli"}) {
            demo::WriteFile(home / "bin" / name,
                            "#!/bin/sh\n{ echo \"$(basename \"$0\") $*|$(pwd)|$(ls -l /proc/$$/fd "
                            "| grep -c held.lock)|$WINEPREFIX\"; } > \"$RECORD.t\"\n"
                            "mv \"$RECORD.t\" \"$RECORD\"\nexec sleep 30\n");
            fs::permissions(home / "bin" / name, fs::perms::owner_all);
        }
        pv.Env.Home = home;
        pv.Env.UsePrefix(prefix);
        pv.DriverIniFile = "C:\\sierra\\gpl\\driver.ini";
    }
    ~StubHome() { RemoveTree(home); }
    std::string Record() const {
        const fs::path file = home / "record";
        for (int i = 0; i < 500 && !fs::exists(file); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        std::ifstream in(file);
        std::string line;
        std::getline(in, line);
        return line;
    }
};

TEST(GameStart, EachLauncherStartsTheGameWithItsOwnCommandAndNothingOfOurs) {
    struct Row {
        const char* name;
        std::string prefix;
        std::pair<std::string, std::string> file;  // a launcher's file ("@" = home)
        std::string expected;  // command|folder|held lock|WINEPREFIX ("@" = prefix, "%" = ours)
    };
    const std::string exe = "@/drive_c/sierra/gpl/gpl.exe";
    const std::vector<Row> rows = {
        {"Lutris, its game in ~/.wine",
         ".wine",
         {".config/lutris/games/gpl-17.yml", "game:\n  prefix: ~/.wine\n"},
         "lutris lutris:rungameid/7|%|0|"},
        {"Steam shortcut",
         ".steam/steam/steamapps/compatdata/3141592653/pfx",
         {},
         "steam steam://rungameid/13493037702022430720|%|0|"},
        {"Bottles",
         ".local/share/bottles/bottles/GPL",
         {},
         "bottles-cli run -b GPL -e " + exe + "|%|0|"},
        {"Bottles Flatpak",
         ".var/app/com.usebottles.bottles/data/bottles/bottles/G",
         {},
         "flatpak run --command=bottles-cli com.usebottles.bottles run -b G -e " + exe + "|%|0|"},
        {"Heroic",
         "Heroic/gpl",
         {".config/heroic/GamesConfig/abc.json", "{\"abc\": {\"winePrefix\": \"~/Heroic/gpl\"}}"},
         "heroic heroic://launch/abc|%|0|"},
        {"q4wine",
         "q4/gpl",
         {".config/q4wine/db/generic.dat",
          "CREATE TABLE prefix (id INTEGER PRIMARY KEY, name TEXT, path TEXT);"
          "INSERT INTO prefix VALUES (2, 'Grand Prix', '@/q4/gpl');"},
         "q4wine-cli -p Grand Prix -b " + exe + "|%|0|"},
        {"plain Wine", ".wine", {}, "wine gpl.exe|@/drive_c/sierra/gpl|0|@"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        StubHome s(row.prefix);
        auto replaced = [](std::string text, char mark, const fs::path& by) {
            for (std::size_t i; (i = text.find(mark)) != std::string::npos;)
                text.replace(i, 1, by.string());
            return text;
        };
        const fs::path file = s.home / row.file.first;
        if (row.file.first.ends_with(".dat")) {
            fs::create_directories(file.parent_path());
            sqlite3* db = nullptr;
            ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
            const std::string sql = replaced(row.file.second, '@', s.home);
            EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
            sqlite3_close(db);
        } else if (!row.file.first.empty()) {
            demo::WriteFile(file, replaced(row.file.second, '@', s.home));
        }
        LutrisLists(s.home, "gpl-17");
        // A file held open without close-on-exec, as a lock might be: the game must not get it.
        const int held = ::open((s.home / "held.lock").c_str(), O_CREAT | O_RDWR, 0600);
        const auto started = std::chrono::steady_clock::now();
        EXPECT_TRUE(StartGame(s.pv, s.ui)) << s.ui.Transcript();
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
        EXPECT_EQ(s.Record(),
                  replaced(replaced(row.expected, '@', s.prefix), '%', fs::current_path()));
        ::close(held);
    }
    // A launcher that is not installed is named, and nothing starts; so is a game Lutris does
    // not list yet.
    StubHome s("Games/gpl");
    demo::WriteFile(s.home / ".config/lutris/games/gpl.yml", "game:\n  prefix: ~/Games/gpl\n");
    EXPECT_FALSE(StartGame(s.pv, s.ui));
    LutrisLists(s.home, "gpl");
    fs::remove(s.home / "bin/lutris");
    EXPECT_FALSE(StartGame(s.pv, s.ui));
    EXPECT_EQ(s.ui.Transcript(),
              "message: GPL cannot be started: Lutris does not list the game gpl in its library "
              "yet (its game file is there, its database is not). Open Lutris once so that it "
              "takes the game in, then start GPL again.\n"
              "message: GPL cannot be started: Lutris's program lutris is not installed (it is "
              "not on the PATH).\n");
}

TEST(GameStart, TheRunningGameIsSeenInItsPrefixAndChangesAskFirst) {
    const fs::path home = MakeTempFolder("movrand-running-");
    demo::MakeDemoPrefix(home / "a");
    demo::MakeDemoPrefix(home / "b");
    // A stand-in for the game: sleep under the name gpl.exe, as Wine shows it.
    fs::create_directories(home / "bin");
    fs::copy_file("/bin/sleep", home / "bin/gpl.exe");
    const std::string exe = (home / "bin/gpl.exe").string();
    const std::string env = "WINEPREFIX=" + (home / "a").string();
    char* argv[] = {const_cast<char*>("C:\\sierra\\gpl\\gpl.exe"), const_cast<char*>("30"),
                    nullptr};
    char* envp[] = {const_cast<char*>(env.c_str()), nullptr};
    pid_t game = 0;
    ASSERT_EQ(::posix_spawn(&game, exe.c_str(), nullptr, nullptr, argv, envp), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_TRUE(platform::GameRunsInPrefix(home / "a"));
    EXPECT_FALSE(platform::GameRunsInPrefix(home / "b"));
    ProgramValues pv;
    pv.Env.UsePrefix(home / "a");
    ScriptedUi ui;
    ui.Answers = {false, true};
    EXPECT_FALSE(MayChangeWhileGameRuns(pv, ui));
    EXPECT_TRUE(MayChangeWhileGameRuns(pv, ui));
    EXPECT_EQ(ui.Questions.size(), 2u);
    // A second game, and a car number saved over the running one's roster, ask first; No leaves
    // all as it is.
    pv.DriverIniFile = "C:\\sierra\\gpl\\driver.ini";
    const std::string roster = ReadFile(home / "a/drive_c/sierra/gpl/driver.ini");
    ui.Answers = {false, false};
    const std::string asked = ui.Transcript();
    EXPECT_FALSE(StartGame(pv, ui));
    EXPECT_FALSE(AssignCarNumber(pv, ui, 1, "99").Changed);
    EXPECT_EQ(ui.Transcript(), asked + "question: GPL is already running. Start it again? -> no\n" +
                                   "question: " + ui.Questions[0].Message + " -> no\n");
    EXPECT_EQ(ReadFile(home / "a/drive_c/sierra/gpl/driver.ini"), roster);
    ::kill(game, SIGKILL);
    ::waitpid(game, nullptr, 0);
    EXPECT_FALSE(platform::GameRunsInPrefix(home / "a"));
    RemoveTree(home);
}

TEST(GameStart, ARealStartThroughWine) {
    if (!platform::FindOnPath("wine")) GTEST_SKIP() << "wine is not installed on this machine";
    const fs::path home = MakeTempFolder("movrand-wine-");
    demo::MakeDemoPrefix(home / "pfx");
    const std::uintmax_t demoRegistry = fs::file_size(home / "pfx/system.reg");
    ProgramValues pv;
    pv.Env.UsePrefix(home / "pfx");
    pv.DriverIniFile = "C:\\sierra\\gpl\\driver.ini";
    ScriptedUi ui;
    const auto started = std::chrono::steady_clock::now();
    EXPECT_TRUE(StartGame(pv, ui)) << ui.Transcript();
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
    // Wine really ran in that prefix: it readies the prefix on its way to the game, whatever the
    // game itself then does (its update stamp, its own Windows folder, the machine registry
    // written anew over the few lines the demo gave it).
    bool ranWine = false;
    for (int i = 0; i < 600 && !ranWine; ++i) {
        std::error_code ec;
        const std::uintmax_t registry = fs::file_size(home / "pfx/system.reg", ec);
        ranWine = fs::exists(home / "pfx/.update-timestamp") ||
                  fs::exists(home / "pfx/drive_c/windows") || (!ec && registry != demoRegistry);
        if (!ranWine) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    EXPECT_TRUE(ranWine) << "no sign of Wine in " << (home / "pfx");
    const std::string stop =
        "WINEPREFIX='" + (home / "pfx").string() + "' wineserver -k 2>/dev/null";
    [[maybe_unused]] const int stopped = std::system(stop.c_str());
    RemoveTree(home);
}

}  // namespace
}  // namespace movrand::test
