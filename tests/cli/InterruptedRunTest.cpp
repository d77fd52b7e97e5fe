// movrand-cli killed (SIGKILL) at random points of its operations: at each point the run is
// stopped just before one of its file-changing system calls, so every state of the disk that an
// interrupted run can leave is reachable. After each kill nothing of the installation, the
// add-on folders, the stored car folders or the backups is lost, driver.ini is the old or the
// new roster, the live car folder is whole, and the operation run again (or its matching
// removal) completes and leaves what a clean run leaves.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <optional>
#include <random>
#include <regex>

#include "CliRunner.h"
#include "DemoAddOns.h"
#include "DemoInstallation.h"
#include "FileSnapshot.h"
#include "GameGuard.h"
#include "KilledRun.h"
#include "Samples.h"

namespace movrand::test {
namespace {

namespace fs = std::filesystem;
using Files = std::map<std::string, std::string>;

const std::string kClassic = "C:\\addons\\Ferrari 312 Classic";
const std::string kLiveries = "C:\\addons\\Team Liveries";
const std::string kSecondCar = "C:\\addons\\Ferrari 1968";
const std::string kStored = "C:\\carfolders\\cars67_classic";

// A file a write in progress leaves beside its target (the name says it is the program's own).
bool IsTemporary(const std::string& name) {
    static const std::regex temporary(R"((^|/)(\.movrand-.*\.tmp|~movrand-record\.tmp)$)");
    return std::regex_search(name, temporary);
}

// The files under a folder, without the temporaries of an interrupted write.
Files TreeWithoutTemporaries(const fs::path& folder) {
    Files files = TreeOf(folder);
    std::erase_if(files, [](const auto& file) { return IsTemporary(file.first); });
    return files;
}

struct Machine : CliMachine {
    fs::path Team() const { return Gpl() / "cars" / "cars67" / "ferrari"; }
    fs::path Live() const { return Gpl() / "cars" / "cars67"; }
    fs::path Native(const std::string& windows) const {
        std::string path = windows.substr(3);
        std::replace(path.begin(), path.end(), '\\', '/');
        return DriveC() / path;
    }
    Files TeamFiles() const { return WithoutBackupNumbers(TreeWithoutTemporaries(Team())); }
    void Must(const std::vector<std::string>& args) const {
        const CliRun run = Run(args);
        ASSERT_EQ(run.Status, 0) << run.Out << run.Err;
    }
    bool Listed(const std::string& item) const {
        const auto lines = Run({"installed", "Ferrari"}).OutLines();
        return std::find(lines.begin(), lines.end(), item) != lines.end();
    }
};

// What a kill must leave whole, taken before the operation.
struct Before {
    std::optional<GameGuard> Guard;
    std::string Roster;
    Files Team, Live, Stored;
};

struct Scenario;
// Checks what a kill left and completes the operation (running it again, removing).
using Finisher = void (*)(Machine&, const Before&, const Machine& clean, const Scenario&);

std::vector<fs::path> None(const Machine&) {
    return {};
}

// One operation of movrand-cli and what a clean run of it leaves.
struct Scenario {
    const char* Name;
    std::vector<std::string> Args;
    Finisher Finish;
    std::function<void(Machine&)> Prepare;
    std::string Item = "";      // what an installation puts in or a removal takes out
    bool RecordsMayGo = false;  // the program's own records in the team folder may go
    // Files the operation is meant to do away with, once it has taken effect.
    std::vector<fs::path> (*Excused)(const Machine&) = None;
};

void PrintTo(const Scenario& scenario, std::ostream* out) {
    *out << scenario.Name;
}

// --- The checks after a kill, by kind of operation -------------------------------------------

// The swap: the live folder is the old one or the stored one, whole; when it is still the old
// one the swap run again completes; at the end the old folder is where the swap was to put it.
void FinishSwap(Machine& m, const Before& before, const Machine&, const Scenario& s) {
    const bool move = std::find(s.Args.begin(), s.Args.end(), "--move") != s.Args.end();
    const bool remove = std::find(s.Args.begin(), s.Args.end(), "--delete") != s.Args.end();
    const Files live = TreeOf(m.Live());
    ASSERT_TRUE(live == before.Live || live == before.Stored) << "a live folder that is neither";
    if (live == before.Live) {
        m.Must(s.Args);
        EXPECT_EQ(TreeOf(m.Live()), before.Stored) << "run again";
    }
    if (!remove) {
        EXPECT_EQ(Differences(TreeOf(m.DriveC() / "backup" / "old"), before.Live), "");
    }
    EXPECT_EQ(fs::exists(m.Native(kStored)), !move);
}

void FinishSwitch(Machine& m, const Before&, const Machine&, const Scenario& s) {
    const std::string stored = m.Stored("DriverIniFile");
    EXPECT_TRUE(stored == "C:\\sierra\\gpl\\driver.ini" || stored == "C:\\other\\gpl\\driver.ini")
        << stored;
    m.Must(s.Args);
    EXPECT_EQ(m.Stored("DriverIniFile"), "C:\\other\\gpl\\driver.ini");
    EXPECT_EQ(m.Run({"drivers"}).Status, 0);
}

void FinishCarNumber(Machine& m, const Before& before, const Machine& clean, const Scenario& s) {
    const std::string roster = CliMachine::Read(m.Gpl() / "driver.ini");
    const std::string changed = CliMachine::Read(clean.Gpl() / "driver.ini");
    ASSERT_TRUE(roster == before.Roster || roster == changed) << "driver.ini is neither roster";
    if (roster == before.Roster) m.Must(s.Args);
    EXPECT_EQ(CliMachine::Read(m.Gpl() / "driver.ini"), changed);
}

// An installation: where the item is listed its removal brings the team folder back to what a
// removal after a clean run leaves; else nothing of the game was overwritten (an accessory).
// Then the installation run again leaves what a clean one leaves.
void FinishInstall(Machine& m, const Before& before, const Machine& clean, const Scenario& s) {
    const std::string& item = s.Item;
    Machine undone;
    undone.CopyFrom(clean);
    undone.Must({"--yes", "remove", "Ferrari", item});
    if (m.Listed(item)) {
        m.Must({"--yes", "remove", "Ferrari", item});
        EXPECT_EQ(Differences(m.TeamFiles(), undone.TeamFiles()), "") << "removed after the kill";
    } else if (item != "Complete Car") {
        EXPECT_EQ(Differences(m.TeamFiles(), WithoutBackupNumbers(before.Team)), "")
            << "not listed";
    }
    m.Must(s.Args);
    EXPECT_EQ(Differences(m.TeamFiles(), clean.TeamFiles()), "") << "run again";
    m.Must({"--yes", "remove", "Ferrari", item});
    EXPECT_EQ(Differences(m.TeamFiles(), undone.TeamFiles()), "") << "removed at the end";
}

// A removal: while the item is listed it can be removed again; at the end the team folder is
// what a clean removal leaves.
void FinishRemove(Machine& m, const Before&, const Machine& clean, const Scenario& s) {
    if (m.Listed(s.Item)) m.Must(s.Args);
    EXPECT_EQ(Differences(m.TeamFiles(), clean.TeamFiles()), "");
}

// --- The scenarios -----------------------------------------------------------------------------

std::vector<fs::path> SwapExcused(const Machine& m) {
    // Once the stored folder is in, the old one may be half deleted (--delete) and an earlier
    // folder under the new name overwritten.
    return {m.Live().parent_path(), m.DriveC() / "backup"};
}

std::vector<fs::path> DriverIni(const Machine& m) {
    return {m.Gpl() / "driver.ini"};  // checked on its own: the old roster or the new one
}

std::vector<Scenario> Scenarios() {
    const auto install = [](const std::string& folder, const std::string& entry) {
        return std::vector<std::string>{"--yes", "install", folder, entry};
    };
    const auto remove = [](const std::string& item) {
        return std::vector<std::string>{"--yes", "remove", "Ferrari", item};
    };
    const auto swap = [](std::vector<std::string> mode) {
        mode.insert(mode.begin(), {"--yes", "swap", kStored});
        return mode;
    };
    const auto backup = [](Machine& m) { fs::create_directories(m.DriveC() / "backup"); };
    const auto nothing = [](Machine&) {};
    return {
        {"SwapCopyRename", swap({"--rename", "C:\\backup", "old", "--copy"}), FinishSwap, backup,
         "", false, SwapExcused},
        {"SwapMoveRename", swap({"--rename", "C:\\backup", "old", "--move"}), FinishSwap, backup,
         "", false, SwapExcused},
        {"SwapCopyDelete", swap({"--delete", "--copy"}), FinishSwap, backup, "", false,
         SwapExcused},
        {"SwapMoveDelete", swap({"--delete", "--move"}), FinishSwap, backup, "", false,
         SwapExcused},
        {"CarOverTheGamesCar", install(kClassic, "Ferrari 312"), FinishInstall, nothing,
         "Complete Car"},
        {"CarOverTheProgramsCar", install(kSecondCar, "Ferrari 312B"), FinishInstall,
         [](Machine& m) {
             MakeSecondCar(m.DriveC());
             m.Must({"install", kClassic, "Ferrari 312"});
             m.Must({"install", kClassic, "Red Wheels"});
         },
         "Complete Car", true},
        {"AccessoryOverTheGamesCar", install(kLiveries, "Blue Livery"), FinishInstall,
         [](Machine& m) { MakeLiveries(m.DriveC()); }, "Blue Livery"},
        {"AccessoryOverTheProgramsCar", install(kClassic, "Red Wheels"), FinishInstall,
         [](Machine& m) {
             m.Must({"install", kClassic, "Ferrari 312"});
         },
         "Red Wheels"},
        {"RemoveCar", remove("Complete Car"), FinishRemove,
         [](Machine& m) {
             for (const char* entry : {"Ferrari 312", "Red Wheels", "Chrome Mirrors"})
                 m.Must({"install", kClassic, entry});
         },
         "Complete Car", true},
        {"RemoveAccessoryWithRestores", remove("Blue Livery"), FinishRemove,
         [](Machine& m) {
             MakeLiveries(m.DriveC());
             m.Must({"install", kLiveries, "Blue Livery"});
         },
         "Blue Livery", true},
        {"Switch",
         {"--yes", "switch", "C:\\other\\gpl"},
         FinishSwitch,
         [](Machine& m) {
             MakeOtherInstallation(m.DriveC() / "other" / "gpl");
             m.Must({"drivers"});  // a first start stores the installation
         }},
        {"CarNumber", {"car-number", "5", "12"}, FinishCarNumber, nothing, "", false, DriverIni},
    };
}

// Kill points per operation at most; with the twelve operations over 200 in all (those with
// fewer file-changing calls are killed before each of them).
constexpr int kPointsPerOperation = 22;

// The random sequence of the kill points: MOVRAND_KILL_SEED repeats a run.
unsigned Seed() {
    static const unsigned seed = [] {
        if (const char* text = std::getenv("MOVRAND_KILL_SEED")) return unsigned(std::atol(text));
        return unsigned(std::random_device{}());
    }();
    return seed;
}

class InterruptedRun : public ::testing::TestWithParam<Scenario> {};

TEST_P(InterruptedRun, LosesNothingAndTheOperationCompletesAfterwards) {
    const Scenario& s = GetParam();
    SCOPED_TRACE("MOVRAND_KILL_SEED=" + std::to_string(Seed()));
    Machine prepared;
    s.Prepare(prepared);
    if (::testing::Test::HasFatalFailure()) return;
    Machine clean;
    clean.CopyFrom(prepared);
    // MOVRAND_KILL_UNTRACED=1 tries the timed kills of machines that forbid tracing.
    const bool traced = CanTraceChildren() && !std::getenv("MOVRAND_KILL_UNTRACED");
    // The calls of a clean run: those of the start-up (as a run that only reads makes them on
    // the same machine), then those of the operation.
    int startUp = 0;
    if (traced) {
        Machine reader;
        reader.CopyFrom(prepared);
        startUp = RunKilledAt(reader, {"drivers"}, 0).ChangingCalls;
    }
    const auto started = std::chrono::steady_clock::now();
    const KilledRun whole = traced ? RunKilledAt(clean, s.Args, 0) : KilledRun{};
    if (!traced) clean.Must(s.Args);
    const long micros = static_cast<long>(std::chrono::duration_cast<std::chrono::microseconds>(
                                              std::chrono::steady_clock::now() - started)
                                              .count());
    std::vector<int> points;
    if (traced) {
        ASSERT_EQ(whole.Status, 0) << CliMachine::Read(clean.Root() / "stderr.txt");
        ASSERT_GT(whole.ChangingCalls, startUp) << "the operation changes nothing";
        for (int call = startUp + 1; call <= whole.ChangingCalls; ++call) points.push_back(call);
    } else {
        // Without tracing the kills fall at random moments of a run's time instead.
        for (int point = 1; point <= kPointsPerOperation; ++point) points.push_back(point);
    }
    std::mt19937 random(Seed() ^ static_cast<unsigned>(std::hash<std::string>{}(s.Name)));
    std::shuffle(points.begin(), points.end(), random);
    if (points.size() > kPointsPerOperation) points.resize(kPointsPerOperation);
    std::sort(points.begin(), points.end());
    RecordProperty("kill_points", static_cast<int>(points.size()));
    RecordProperty("changing_calls", whole.ChangingCalls - startUp);

    for (const int point : points) {
        SCOPED_TRACE("killed before file-changing call " + std::to_string(point) + " of " +
                     std::to_string(whole.ChangingCalls));
        Machine m;
        m.CopyFrom(prepared);
        Before before;
        before.Guard = GameGuard::Take({m.DriveC()}, m.Gpl());
        before.Roster = CliMachine::Read(m.Gpl() / "driver.ini");
        before.Team = TreeWithoutTemporaries(m.Team());
        before.Live = TreeOf(m.Live());
        before.Stored = TreeOf(m.Native(kStored));

        const KilledRun run = traced ? RunKilledAt(m, s.Args, point)
                                     : RunKilledAfter(m, s.Args, random() % (micros + 1));
        if (traced) {
            EXPECT_TRUE(run.Killed);
        }

        // Temporaries of an interrupted write may go, and the program's own records where
        // the operation replaces or removes them.
        const auto lost = [&] {
            std::vector<std::string> files = before.Guard->Lost(s.Excused(m));
            std::erase_if(files, [&](const std::string& path) {
                return IsTemporary(path) ||
                       (s.RecordsMayGo &&
                        path.rfind(m.Team().generic_string() + "/zorvex", 0) == 0);
            });
            return files;
        };
        EXPECT_EQ(lost(), std::vector<std::string>{}) << "lost after the kill";
        EXPECT_EQ(before.Guard->LiveCarFolderProblem(), "");
        const std::string roster = CliMachine::Read(m.Gpl() / "driver.ini");
        const std::string changed = CliMachine::Read(clean.Gpl() / "driver.ini");
        EXPECT_TRUE(roster == before.Roster || roster == changed) << "driver.ini is neither";

        // The next start of the program settles what the killed run left unfinished.
        m.Must({"drivers"});
        s.Finish(m, before, clean, s);
        EXPECT_EQ(lost(), std::vector<std::string>{}) << "lost at the end";
        if (::testing::Test::HasFailure()) break;  // one failing point tells enough
    }
}

INSTANTIATE_TEST_SUITE_P(Operations, InterruptedRun, ::testing::ValuesIn(Scenarios()),
                         [](const ::testing::TestParamInfo<Scenario>& info) {
                             return std::string(info.param.Name);
                         });

}  // namespace
}  // namespace movrand::test
