// SPDX-License-Identifier: GPL-3.0-or-later
// movrand-cli killed (SIGKILL) at random points of its operations: at each point the run is
// stopped just before one of its file-changing system calls, so every state of the disk that an
// interrupted run can leave is reachable. After each kill nothing of the installation, the
// add-on folders, the stored car folders or the backups is lost, driver.ini is the old or the
// new roster, the live car folder is whole, and the operation run again (or its matching
// removal) completes and leaves what a clean run leaves.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <random>
#include <regex>

#include "CliRunner.h"
#include "FileSnapshot.h"
#include "GameGuard.h"
#include "KilledRun.h"
#include "Samples.h"
#include "platform/SettingsKeys.h"

namespace movrand::test {
namespace {

namespace fs = std::filesystem;
using Files = std::map<std::string, std::string>;
using Args = std::vector<std::string>;

const std::string kClassic = "C:\\addons\\Ferrari 312 Classic";
const std::string kLiveries = "C:\\addons\\Team Liveries";

// A file a write in progress leaves beside its target (the name says it is the program's own).
bool IsTemporary(const std::string& name) {
    static const std::regex temporary(R"((^|/)(\.movrand-.*\.tmp|~movrand-record\.tmp)$)");
    return std::regex_search(name, temporary);
}

struct Machine : CliMachine {
    fs::path Live() const { return Gpl() / "cars" / "cars67"; }
    fs::path Team() const { return Live() / "ferrari"; }
    fs::path StoredCars() const { return DriveC() / "carfolders" / "cars67_classic"; }
    std::string Roster() const { return Read(Gpl() / "driver.ini"); }
    // The team folder without temporaries and with the records' backup numbers taken out.
    Files TeamFiles() const {
        Files files = WithoutBackupNumbers(TreeOf(Team()));
        std::erase_if(files, [](const auto& file) { return IsTemporary(file.first); });
        return files;
    }
    void Must(const Args& args) const {
        const CliRun run = Run(args);
        ASSERT_EQ(run.Status, 0) << run.Out << run.Err;
    }
    bool Listed(const std::string& item) const {
        const auto lines = Run({"installed", "Ferrari"}).OutLines();
        return std::find(lines.begin(), lines.end(), item) != lines.end();
    }
};

enum class Kind { Swap, Install, Remove, Switch, CarNumber };

// One operation of movrand-cli, the state it starts from (the demo with an extra folder the
// fixture makes on drive C: and the commands run before) and what it puts in or takes out.
struct Scenario {
    const char* Name;
    Kind Of;
    Args Command;
    std::string Item = "";
    bool RecordsMayGo = false;  // the program's own records in the team folder may go
    std::vector<Args> Earlier = {};
    void (*Fixture)(const fs::path& driveC) = nullptr;
};

void PrintTo(const Scenario& scenario, std::ostream* out) {
    *out << scenario.Name;
}

// What an operation changes, by name: the roster, the stored installation, the car folders
// (live, backups, whether the stored one is kept) or the team folder.
Files Outcome(const Machine& m, Kind kind) {
    if (kind == Kind::CarNumber) return {{"driver.ini", m.Roster()}};
    if (kind == Kind::Switch)
        return {{platform::kDriverIniFileKey, m.Stored(platform::kDriverIniFileKey)}};
    if (kind != Kind::Swap) return m.TeamFiles();
    Files files = TreeOf(m.Live());
    // The swap's marks beside its stored folders (a token of their own each run) aside.
    for (const auto& [name, bytes] : TreeOf(m.DriveC() / "backup"))
        if (!name.ends_with(".movrand-stored")) files["backup/" + name] = bytes;
    if (fs::exists(m.StoredCars())) files["the stored folder is kept"] = "";
    return files;
}

// What a clean run leaves (and, after an installation, its removal), and what a kill must leave
// whole, taken before it.
struct Clean {
    Files Outcome, Undone;
    std::string Roster;
};
struct Before {
    std::optional<GameGuard> Guard;
    std::string Roster;
    Files Outcome;
};

// Checks what a kill left and completes the operation (running it again, removing).
void Finish(Machine& m, const Before& before, const Clean& clean, const Scenario& s) {
    const Args removal = {"--yes", "remove", "Ferrari", s.Item};
    if (s.Of == Kind::Install) {
        // Where the item is listed its removal gives what a removal after a clean run gives;
        // else nothing of the game was overwritten (unless a car went over a car).
        if (m.Listed(s.Item)) {
            m.Must(removal);
            EXPECT_EQ(Differences(m.TeamFiles(), clean.Undone), "") << "removed after the kill";
        } else if (s.Item != "Complete Car") {
            EXPECT_EQ(Differences(m.TeamFiles(), before.Outcome), "") << "not listed";
        }
        m.Must(s.Command);
        EXPECT_EQ(Differences(m.TeamFiles(), clean.Outcome), "") << "run again";
        m.Must(removal);
        EXPECT_EQ(Differences(m.TeamFiles(), clean.Undone), "") << "removed at the end";
        return;
    }
    if (s.Of == Kind::Remove) {
        if (m.Listed(s.Item)) m.Must(s.Command);
    } else {
        // All or nothing: what was there or what a clean run leaves; not yet done, it runs again.
        const Files now = Outcome(m, s.Of);
        ASSERT_TRUE(now == before.Outcome || now == clean.Outcome)
            << "neither what was there nor what a clean run leaves: "
            << Differences(now, clean.Outcome);
        if (now == before.Outcome) m.Must(s.Command);
    }
    EXPECT_EQ(Differences(Outcome(m, s.Of), clean.Outcome), "");
}

// Files the operation is meant to do away with, once it has taken effect.
std::vector<fs::path> Excused(const Machine& m, Kind kind) {
    // Once the stored folder is in, the old one may be half deleted (--delete) and an earlier
    // folder under the new name overwritten; driver.ini is checked on its own.
    if (kind == Kind::Swap) return {m.Live().parent_path(), m.DriveC() / "backup"};
    if (kind == Kind::CarNumber) return {m.Gpl() / "driver.ini"};
    return {};
}

Args Swap(Args mode) {
    mode.insert(mode.begin(), {"--yes", "swap", "C:\\carfolders\\cars67_classic"});
    return mode;
}

const Args kCar = {"install", kClassic, "Ferrari 312"};
const Args kWheels = {"install", kClassic, "Red Wheels"};
const Args kLivery = {"install", kLiveries, "Blue Livery"};

// clang-format off
const std::vector<Scenario> kScenarios = {
    {"SwapCopyRename", Kind::Swap, Swap({"--rename", "C:\\backup", "old", "--copy"})},
    {"SwapMoveRename", Kind::Swap, Swap({"--rename", "C:\\backup", "old", "--move"})},
    {"SwapCopyDelete", Kind::Swap, Swap({"--delete", "--copy"})},
    {"SwapMoveDelete", Kind::Swap, Swap({"--delete", "--move"})},
    {"CarOverTheGamesCar", Kind::Install, {"--yes", "install", kClassic, "Ferrari 312"}, "Complete Car"},
    {"CarOverTheProgramsCar", Kind::Install, {"--yes", "install", "C:\\addons\\Ferrari 1968", "Ferrari 312B"},
     "Complete Car", true, {kCar, kWheels}, MakeSecondCar},
    {"AccessoryOverTheGamesCar", Kind::Install, {"--yes", "install", kLiveries, "Blue Livery"}, "Blue Livery",
     false, {}, MakeLiveries},
    {"AccessoryOverTheProgramsCar", Kind::Install, {"--yes", "install", kClassic, "Red Wheels"}, "Red Wheels",
     false, {kCar}},
    {"RemoveCar", Kind::Remove, {"--yes", "remove", "Ferrari", "Complete Car"}, "Complete Car", true,
     {kCar, kWheels, {"install", kClassic, "Chrome Mirrors"}}},
    {"RemoveAccessoryWithRestores", Kind::Remove, {"--yes", "remove", "Ferrari", "Blue Livery"}, "Blue Livery",
     true, {kLivery}, MakeLiveries},
    // Both installations of the prefix are found: a first switch stores the one in use.
    {"Switch", Kind::Switch, {"--yes", "switch", "C:\\other\\gpl"}, "", false,
     {{"--yes", "switch", "C:\\sierra\\gpl"}},
     [](const fs::path& c) { MakeOtherInstallation(c / "other" / "gpl"); }},
    {"CarNumber", Kind::CarNumber, {"car-number", "5", "12"}},
};
// clang-format on

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
    fs::create_directories(prepared.DriveC() / "backup");
    if (s.Fixture) s.Fixture(prepared.DriveC());
    for (const Args& earlier : s.Earlier) prepared.Must(earlier);
    if (HasFatalFailure()) return;
    if (!CanTraceChildren()) GTEST_SKIP() << "this machine forbids tracing child processes";
    // The calls of a clean run: those of the start-up (as a run that only reads makes them on
    // the same machine), then those of the operation.
    Machine clean, reader;
    clean.CopyFrom(prepared);
    reader.CopyFrom(prepared);
    const int startUp = RunKilledAt(reader, {"drivers"}, 0).ChangingCalls;
    const KilledRun whole = RunKilledAt(clean, s.Command, 0);
    ASSERT_EQ(whole.Status, 0) << CliMachine::Read(clean.Root() / "stderr.txt");
    ASSERT_GT(whole.ChangingCalls, startUp) << "the operation changes nothing";
    Clean expected{Outcome(clean, s.Of), {}, clean.Roster()};
    if (s.Of == Kind::Install) {
        Machine undone;
        undone.CopyFrom(clean);
        undone.Must({"--yes", "remove", "Ferrari", s.Item});
        expected.Undone = undone.TeamFiles();
    }
    std::vector<int> points;
    for (int call = startUp + 1; call <= whole.ChangingCalls; ++call) points.push_back(call);
    std::mt19937 random(Seed() ^ static_cast<unsigned>(std::hash<std::string>{}(s.Name)));
    std::shuffle(points.begin(), points.end(), random);
    if (points.size() > kPointsPerOperation) points.resize(kPointsPerOperation);
    std::sort(points.begin(), points.end());

    for (const int point : points) {
        SCOPED_TRACE("killed before file-changing call " + std::to_string(point) + " of " +
                     std::to_string(whole.ChangingCalls));
        Machine m;
        m.CopyFrom(prepared);
        const Before before{GameGuard::Take({m.DriveC()}, m.Gpl()), m.Roster(), Outcome(m, s.Of)};
        EXPECT_TRUE(RunKilledAt(m, s.Command, point).Killed);

        // Temporaries of an interrupted write may go, and the program's own records where
        // the operation replaces or removes them.
        const auto lost = [&] {
            std::vector<std::string> files = before.Guard->Lost(Excused(m, s.Of));
            std::erase_if(files, [&](const std::string& path) {
                return IsTemporary(path) ||
                       (s.RecordsMayGo &&
                        path.rfind(m.Team().generic_string() + "/zorvex", 0) == 0);
            });
            return files;
        };
        EXPECT_EQ(lost(), std::vector<std::string>{}) << "lost after the kill";
        EXPECT_EQ(before.Guard->LiveCarFolderProblem(), "");
        EXPECT_TRUE(m.Roster() == before.Roster || m.Roster() == expected.Roster)
            << "driver.ini is neither";

        // The next start of the program settles what the killed run left unfinished.
        m.Must({"drivers"});
        Finish(m, before, expected, s);
        EXPECT_EQ(lost(), std::vector<std::string>{}) << "lost at the end";
        if (HasFailure()) break;  // one failing point tells enough
    }
}

INSTANTIATE_TEST_SUITE_P(Operations, InterruptedRun, ::testing::ValuesIn(kScenarios),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace movrand::test
