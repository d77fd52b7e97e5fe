// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "CliRunner.h"
#include "DemoAddOns.h"
#include "DemoInstallation.h"
#include "FileSnapshot.h"
#include "KilledRun.h"
#include "platform/WholeFileReplace.h"

namespace movrand::test {
namespace {

namespace fs = std::filesystem;
using Args = std::vector<std::string>;

const Args kRemove = {"--yes", "remove", "Ferrari", "Stripes"};
const std::string kTexture = "texture of car 11\r\n";

fs::path Team(const CliMachine& m) {
    return m.Gpl() / "cars" / "cars67" / "ferrari";
}

// The accessory Stripes over the game's car: it replaces fer11.mip and adds new.mip.
void InstallStripes(const CliMachine& m) {
    demo::MakeAddOnFolder(
        m.DriveC() / "addons" / "Stripes",
        {"ferrari", {{"Stripes", "accessory", {{"fer11.mip", "stripes"}, {"new.mip", "n"}}, "."}}});
    ASSERT_EQ(m.Run({"install", "C:\\addons\\Stripes", "Stripes"}).Status, 0);
}

// A record made by hand (or passed on in a stored car folder) is refused before anything
// changes when it would put back a file from anywhere but a backup, or delete a game file. Each
// row: a file it writes on C: first (or the program's car installed), the record, what is said.
TEST(HostileRecords, AreRefusedBeforeAnythingChanges) {
    const struct {
        const char *file, *record, *said;
    } rows[] = {
        {"outside/fer11.mip",
         "[standardfile]\r\nstandard = C:\\outside\r\n[accessories]\r\nfile1 = fer11.mip\r\n"
         "fer11.mip = replaced existing\r\n",
         "\"c:\\outside\""},
        {"sierra/gpl/cars/cars67/brm/fer.3do",
         "[standardfile]\r\nstandard = C:\\sierra\\gpl\\cars\\cars67\\brm\r\n[accessories]\r\n"
         "file1 = fer.3do\r\nfer.3do = replaced existing\r\n",
         "cars67\\brm\""},
        {nullptr,
         "[accessories]\r\nfile1 = fer.3do\r\nfer.3do = just added\r\nfile2 = ferrari.dat\r\n"
         "ferrari.dat = just added\r\n",
         "\"ferrari.dat\", a file of the game's own"},
        {"", "[accessories]\r\nfile1 = fer11.3do\r\nfer11.3do = just added\r\n",
         "\"fer11.3do\", a file of the game's own"},  // held by the original car's backup
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.record);
        CliMachine m;
        if (row.file && *row.file) demo::WriteFile(m.DriveC() / row.file, "not the accessory's");
        if (row.file && !*row.file) {
            ASSERT_EQ(m.Run({"install", "C:\\addons\\Ferrari 312 Classic", "Ferrari 312"}).Status,
                      0);
        }
        demo::WriteFile(Team(m) / "zorvexacc_Stripes.zorvex", row.record);
        const auto before = TreeOf(m.DriveC());
        const CliRun run = m.Run(kRemove);
        EXPECT_EQ(run.Status, 1) << run.Out << run.Err;
        EXPECT_NE(run.Out.find(row.said), std::string::npos) << run.Out << run.Err;
        EXPECT_EQ(Differences(TreeOf(m.DriveC()), before), "");
    }
}

// The history's own records are read only as regular files within their size: a link (to a copy
// outside, say) or a file grown huge is refused by its name at once, and nothing changes. An
// index is the one record made again from the step files: the start rebuilds it in place of the
// link or the huge file, says so, and the copy outside stays as it was.
TEST(HostileRecords, HistoryRecordsThatAreLinksOrHugeAreRefused) {
    const struct {
        const char* file;
        std::uintmax_t size;  // 0: a link to a copy outside the installation
    } rows[] = {{"index", 0},        {"index", 17u << 20},
                {"steps/1.step", 0}, {"steps/1.step", 65u << 20},
                {"pending.step", 0}, {"restore.step", 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.file) + " " + std::to_string(row.size));
        CliMachine m;
        InstallStripes(m);
        const fs::path file = m.Gpl() / "movrand" / "history" / row.file;
        const fs::path copy = m.Root() / "copy";
        if (fs::exists(file))
            fs::copy_file(file, copy);
        else
            demo::WriteFile(copy, "");
        if (row.size) {
            fs::resize_file(file, row.size);
        } else {
            fs::remove(file);
            fs::create_symlink(copy, file);
        }
        const auto before = TreeOf(m.DriveC());
        const std::string outside = ReadFile(copy);
        const CliRun run = m.Run({"--yes", "undo"});
        EXPECT_NE((run.Out + run.Err).find(fs::path(row.file).filename().string()),
                  std::string::npos)
            << run.Out << run.Err;
        EXPECT_EQ(ReadFile(copy), outside);
        if (std::string(row.file) == "index") {
            EXPECT_EQ(run.Status, 0) << run.Out << run.Err;
            EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(file)));
            EXPECT_LT(fs::file_size(file), 1u << 20);
            continue;
        }
        // A journal that cannot be read stands, named with the way out, and the undo is
        // refused; the way out deletes the link alone.
        const bool journal = fs::path(row.file).filename() != "1.step";
        EXPECT_EQ(run.Status, journal ? 1 : 3) << run.Out << run.Err;
        EXPECT_EQ(Differences(TreeOf(m.DriveC()), before), "");
        if (!journal) continue;
        EXPECT_NE(run.Out.find("history abandon"), std::string::npos) << run.Out;
        EXPECT_EQ(m.Run({"history", "abandon"}).Status, 0);
        EXPECT_FALSE(fs::exists(fs::symlink_status(file)));
        EXPECT_EQ(ReadFile(copy), outside);
    }
}

// The history folder or its steps folder made a link to a copy outside: the start names it, what
// needs no history still works, every use of the history refuses by that name, and nothing is
// read or written through the link.
TEST(HostileRecords, HistoryFoldersThatAreLinksAreRefused) {
    for (const char* folder : {"history", "history/steps"}) {
        SCOPED_TRACE(folder);
        CliMachine m;
        InstallStripes(m);
        const fs::path link = m.Gpl() / "movrand" / folder;
        const fs::path copy = m.Root() / "copy";
        fs::rename(link, copy);
        fs::create_directory_symlink(copy, link);
        const auto before = TreeOf(m.DriveC());
        const auto outside = TreeOf(copy);
        for (const Args& works : {Args{"drivers"}, Args{"check", "C:\\sierra\\gpl"}}) {
            const CliRun run = m.Run(works);
            EXPECT_EQ(run.Status, 0) << works[0] << run.Out << run.Err;
        }
        for (const Args& refused : {Args{"history", "1"}, Args{"verify"}, Args{"--yes", "undo"},
                                    Args{"car-number", "1", "12"}}) {
            const CliRun run = m.Run(refused);
            EXPECT_NE(run.Status, 0) << refused[0] << run.Out << run.Err;
            EXPECT_NE(
                run.Err.find(std::string("movrand\\") +
                             (folder == std::string("history") ? "history" : "history\\steps") +
                             " is a link"),
                std::string::npos)
                << refused[0] << run.Out << run.Err;
        }
        EXPECT_EQ(Differences(TreeOf(m.DriveC()), before), "");
        EXPECT_EQ(Differences(TreeOf(copy), outside), "");
    }
}

// A file changed since the accessory installed it is left as it is, and named.
TEST(HostileRecords, AFileChangedSinceItWasInstalledIsLeftAlone) {
    CliMachine m;
    InstallStripes(m);
    demo::WriteFile(Team(m) / "new.mip", "the player's own");
    const CliRun run = m.Run(kRemove);
    EXPECT_NE(run.Out.find("ferrari\\new.mip\""), std::string::npos) << run.Out << run.Err;
    EXPECT_EQ(CliMachine::Read(Team(m) / "new.mip"), "the player's own");
    EXPECT_EQ(CliMachine::Read(Team(m) / "fer11.mip"), kTexture);
}

// Killed before each of its file-changing calls, a removal leaves fer11.mip in place (the
// accessory's or the game's) and, run again, puts the game's back; a killed roster save leaves
// driver.ini whole. The next start sweeps what the kill left beside them.
TEST(HostileRecords, AKilledRemovalOrSaveLeavesNoHole) {
    if (!CanTraceChildren()) GTEST_SKIP() << "this machine forbids tracing child processes";
    CliMachine prepared, m;
    InstallStripes(prepared);
    m.CopyFrom(prepared);
    const int startUp = RunKilledAt(m, {"drivers"}, 0).ChangingCalls;
    const std::string roster = CliMachine::Read(prepared.Gpl() / "driver.ini");
    for (const Args& command : {kRemove, Args{"car-number", "5", "12"}}) {
        m.CopyFrom(prepared);
        const int calls = RunKilledAt(m, command, 0).ChangingCalls;
        ASSERT_GT(calls, startUp + 2);
        const std::string saved = CliMachine::Read(m.Gpl() / "driver.ini");
        for (int point = startUp + 1; point <= calls && !HasFailure(); ++point) {
            SCOPED_TRACE(command[1] + " killed before call " + std::to_string(point));
            m.CopyFrom(prepared);
            EXPECT_TRUE(RunKilledAt(m, command, point).Killed);
            const std::string now = CliMachine::Read(Team(m) / "fer11.mip");
            EXPECT_TRUE(now == "stripes" || now == kTexture) << now;
            const std::string ini = CliMachine::Read(m.Gpl() / "driver.ini");
            EXPECT_TRUE(ini == roster || ini == saved);
            // The next start; a removal still listed runs again.
            const bool listed =
                m.Run({"installed", "Ferrari"}).Out.find("Stripes") != std::string::npos;
            EXPECT_EQ(m.Run(command == kRemove && listed ? kRemove : Args{"drivers"}).Status, 0);
            if (command == kRemove) {
                EXPECT_EQ(CliMachine::Read(Team(m) / "fer11.mip"), kTexture);
            }
            for (const auto& [path, bytes] : TreeOf(m.Root()))
                EXPECT_FALSE(platform::IsOwnTemporary(fs::path(path).filename().string())) << path;
        }
    }
}

}  // namespace
}  // namespace movrand::test
