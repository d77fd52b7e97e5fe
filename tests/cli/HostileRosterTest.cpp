// SPDX-License-Identifier: GPL-3.0-or-later
// Rosters and stored paths a hostile or unlucky user hands the program, each run through
// movrand-cli on a fresh demo installation: what the run says and what stays on disk.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "CliRunner.h"
#include "DemoInstallation.h"
#include "platform/SettingsKeys.h"
#include "platform/SettingsStore.h"

namespace movrand::test {
namespace {

namespace fs = std::filesystem;

const std::string kDriver1 = "[ driver_1 ]\r\nfirst_name = Jack\r\n";
const std::string kNumber1 = "car_number = 1\r\n";

std::string HeaderWith(const std::string& tail) {
    std::string roster = demo::SampleRoster();
    roster.insert(roster.find(kDriver1) + 12, tail);
    return roster;
}

std::string WithNumber1(std::string roster, const std::string& number) {
    return roster.replace(roster.find(kNumber1), kNumber1.size(), "car_number=" + number + "\r\n");
}

// A row: driver.ini, a stored "DriverIniFile" ("" = none), the number given to driver 1 ("" =
// `drivers` only), a text the run must say, and whether driver 1 ends with that number (all else
// byte for byte as before); a refused change leaves driver.ini untouched and ends with status 1.
// The files a stored path may point at (bystanders) stay as they were.
TEST(HostileRoster, IsRefusedOrKeptWhole) {
    const std::string game = demo::SampleRoster();
    const std::string chars = "a car number may not hold line breaks, control characters";
    const std::string none = "C:\\sierra\\gpl\\driver.ini holds no driver sections";
    const std::string notGpl = "is not the driver.ini of a GPL installation";
    std::string crOnly = game;
    for (std::size_t at; (at = crOnly.find("\r\n")) != std::string::npos;) crOnly.erase(at + 1, 1);
    std::string lone = game;
    lone.insert(lone.find("version = 1\r\n") + 13, "[\r\n");
    const struct {
        std::string Roster, Stored, Number, Said;
        bool Changes;
    } rows[] = {
        // clang-format off
        {HeaderWith("\t"), "", "55", "", true},
        {HeaderWith(" ; first driver"), "", "55", "", true},
        {game, "", "77\r\n[ driver_2 ]\r\nfirst_name = Evil", chars, false},
        {game, "", "77\n[ driver_2 ]\nfirst_name = Evil", chars, false},
        {game, "", "5;x", chars, false},
        {game, "", "5\xE4\xB8\x83", "can only hold the characters of Windows-1252", false},
        {game, "", " 5", "would give it back as \"5\"", false},
        {"\x01\xFFgarbage=\r\n\x80\r\n", "", "55", none, false},
        {crOnly, "", "55", none, false},
        {"", "", "55", none, false},
        {"\xEF\xBB\xBF" + kDriver1 + kNumber1, "", "55", none, false},
        {lone, "", "55", "C:\\sierra\\gpl\\driver.ini is damaged: line 4 begins a section header", false},
        {game, "C:\\sierra\\gpl\\notes.txt", "55", notGpl, true},
        {game, "C:\\notes\\driver.ini", "55", notGpl, true},
        {game, "C:\\old\\gpl\\driver.ini", "", "The driver.ini file last used, C:\\old\\gpl\\driver.ini, could not be found", false},
        // clang-format on
    };
    for (const auto& row : rows) {
        CliMachine m;
        demo::WriteFile(m.Gpl() / "driver.ini", row.Roster);
        const fs::path bystanders[] = {m.Gpl() / "notes.txt", m.DriveC() / "notes" / "driver.ini"};
        for (const fs::path& file : bystanders) demo::WriteFile(file, "[ driver_1 ]\nnotes\n");
        if (!row.Stored.empty())
            platform::SettingsStore(m.Config())
                .Save(platform::kSettingsApp, platform::kMovrandSection,
                      platform::kDriverIniFileKey, row.Stored);
        const CliRun run =
            m.Run(row.Number.empty() ? std::vector<std::string>{"drivers"}
                                     : std::vector<std::string>{"car-number", "1", row.Number});
        const std::string why = row.Number + " " + row.Stored + "\n" + run.Out + run.Err;
        EXPECT_EQ(run.Status, row.Changes || row.Number.empty() ? 0 : 1) << why;
        EXPECT_NE((run.Out + run.Err).find(row.Said), std::string::npos) << why;
        EXPECT_EQ(CliMachine::Read(m.Gpl() / "driver.ini"),
                  row.Changes ? WithNumber1(row.Roster, row.Number) : row.Roster)
            << why;
        for (const fs::path& file : bystanders)
            EXPECT_EQ(CliMachine::Read(file), "[ driver_1 ]\nnotes\n") << why;
        // A stored path that is no installation's roster gives way to the one found.
        if (!row.Stored.empty()) {
            EXPECT_EQ(m.Stored(platform::kDriverIniFileKey), "C:\\sierra\\gpl\\driver.ini") << why;
        }
        if (row.Changes) {
            EXPECT_EQ(m.Run({"drivers"}).OutLines().at(0), "1\tJack\tBrabham\t55\t0\t1") << why;
        }
    }
}

// A link to driver.ini stays a link; its target receives the roster.
TEST(HostileRoster, ALinkToDriverIniIsWrittenThrough) {
    CliMachine m;
    const fs::path real = m.DriveC() / "rosters" / "driver.ini";
    demo::WriteFile(real, demo::SampleRoster());
    fs::remove(m.Gpl() / "driver.ini");
    fs::create_symlink(real, m.Gpl() / "driver.ini");
    const CliRun run = m.Run({"car-number", "1", "55"});
    EXPECT_EQ(run.Status, 0) << run.Out << run.Err;
    EXPECT_TRUE(fs::is_symlink(m.Gpl() / "driver.ini"));
    EXPECT_EQ(CliMachine::Read(real), WithNumber1(demo::SampleRoster(), "55"));
}

// A driver.ini that is a FIFO is named, and the run ends instead of waiting for a writer.
TEST(HostileRoster, AFifoForDriverIniIsNamedNotWaitedOn) {
    CliMachine m;
    fs::remove(m.Gpl() / "driver.ini");
    ASSERT_EQ(::mkfifo((m.Gpl() / "driver.ini").c_str(), 0644), 0);
    const CliRun run = m.Run({"car-number", "1", "55"});
    EXPECT_NE(run.Status, 0);
    EXPECT_NE((run.Out + run.Err).find("C:\\sierra\\gpl\\driver.ini: it is a FIFO"),
              std::string::npos)
        << run.Out << run.Err;
}

}  // namespace
}  // namespace movrand::test
