// Rosters and stored paths a hostile or unlucky user hands the program, each run through
// movrand-cli on a fresh demo installation: what the run says and what stays on disk.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "CliRunner.h"
#include "DemoInstallation.h"
#include "platform/SettingsStore.h"

namespace movrand::test {
namespace {

namespace fs = std::filesystem;

const std::string kDriver1 = "[ driver_1 ]\r\nfirst_name = Jack\r\n";
const std::string kNumber1 = "car_number = 1\r\n";

// The demo roster with its first header line followed by `tail`.
std::string HeaderWith(const std::string& tail) {
    std::string roster = demo::SampleRoster();
    roster.insert(roster.find(kDriver1) + 12, tail);
    return roster;
}

// The roster with driver 1's number as the program writes it.
std::string WithNumber1(std::string roster, const std::string& number) {
    return roster.replace(roster.find(kNumber1), kNumber1.size(), "car_number=" + number + "\r\n");
}

struct Row {
    std::string Name;
    std::string Roster;                              // driver.ini before the run
    std::function<void(const CliMachine&)> Prepare;  // anything else the user did
    std::vector<std::string> Args;
    int Status;
    std::string Said;      // a text the run's output must hold
    std::string Expected;  // driver.ini afterwards ("" = as before)
};

void Store(const CliMachine& m, const std::string& driverIni) {
    platform::SettingsStore(m.Config()).Save("Zorvex", "Movrand", "DriverIniFile", driverIni);
}

TEST(HostileRoster, IsRefusedOrKeptWhole) {
    const std::string demoRoster = demo::SampleRoster();
    const std::string refusedChars = "a car number may not hold line breaks, control characters";
    const std::string noSections = "C:\\sierra\\gpl\\driver.ini holds no driver sections";
    std::string crOnly = demoRoster;
    for (std::size_t at; (at = crOnly.find("\r\n")) != std::string::npos;) crOnly.erase(at + 1, 1);
    std::string lone = demoRoster;
    lone.insert(lone.find("version = 1\r\n") + 13, "[\r\n");
    const std::vector<Row> rows = {
        {"header and tab",
         HeaderWith("\t"),
         {},
         {"car-number", "1", "55"},
         0,
         "",
         WithNumber1(HeaderWith("\t"), "55")},
        {"header and comment",
         HeaderWith(" ; first driver"),
         {},
         {"car-number", "1", "55"},
         0,
         "",
         WithNumber1(HeaderWith(" ; first driver"), "55")},
        {"injected CR LF section",
         demoRoster,
         {},
         {"car-number", "1", "77\r\n[ driver_2 ]\r\nfirst_name = Evil"},
         1,
         refusedChars,
         ""},
        {"injected LF section",
         demoRoster,
         {},
         {"car-number", "1", "77\n[ driver_2 ]\nfirst_name = Evil"},
         1,
         refusedChars,
         ""},
        {"comment in the number", demoRoster, {}, {"car-number", "3", "5;x"}, 1, refusedChars, ""},
        {"outside Windows-1252",
         demoRoster,
         {},
         {"car-number", "3", "5\xE4\xB8\x83"},
         1,
         "can only hold the characters of Windows-1252",
         ""},
        {"reads back as another",
         demoRoster,
         {},
         {"car-number", "3", " 5"},
         1,
         "would give it back as \"5\"",
         ""},
        {"garbage",
         "\x01\xFFgarbage=\r\n\x80\r\n",
         {},
         {"car-number", "1", "2"},
         1,
         noSections,
         ""},
        {"CR line breaks", crOnly, {}, {"car-number", "1", "2"}, 1, noSections, ""},
        {"empty", "", {}, {"car-number", "1", "2"}, 1, noSections, ""},
        {"byte-order mark",
         "\xEF\xBB\xBF" + kDriver1 + kNumber1,
         {},
         {"car-number", "1", "2"},
         1,
         noSections,
         ""},
        {"lone [",
         lone,
         {},
         {"car-number", "1", "55"},
         1,
         "C:\\sierra\\gpl\\driver.ini is damaged: line 4 begins a section header",
         ""},
        {"stored notes.txt",
         demoRoster,
         [](const CliMachine& m) {
             demo::WriteFile(m.Gpl() / "notes.txt", "my notes\n");
             Store(m, "C:\\sierra\\gpl\\notes.txt");
         },
         {"car-number", "1", "55"},
         0,
         "is not the driver.ini of a GPL installation",
         WithNumber1(demoRoster, "55")},
        {"stored driver.ini outside an installation",
         demoRoster,
         [](const CliMachine& m) {
             demo::WriteFile(m.DriveC() / "notes" / "driver.ini", "[ driver_1 ]\n");
             Store(m, "C:\\notes\\driver.ini");
         },
         {"car-number", "1", "55"},
         0,
         "is not the driver.ini of a GPL installation",
         WithNumber1(demoRoster, "55")},
        {"stored driver.ini gone",
         demoRoster,
         [](const CliMachine& m) { Store(m, "C:\\old\\gpl\\driver.ini"); },
         {"drivers"},
         0,
         "The driver.ini file last used, C:\\old\\gpl\\driver.ini, could not be found",
         ""},
    };
    for (const Row& row : rows) {
        CliMachine m;
        demo::WriteFile(m.Gpl() / "driver.ini", row.Roster);
        if (row.Prepare) row.Prepare(m);
        // Files a stored path may point at stay as they were.
        std::vector<std::pair<fs::path, std::string>> bystanders;
        for (const fs::path& file : {m.Gpl() / "notes.txt", m.DriveC() / "notes" / "driver.ini"})
            if (fs::exists(file)) bystanders.emplace_back(file, CliMachine::Read(file));
        const CliRun run = m.Run(row.Args);
        EXPECT_EQ(run.Status, row.Status) << row.Name << "\n" << run.Out << run.Err;
        EXPECT_NE((run.Out + run.Err).find(row.Said), std::string::npos) << row.Name << "\n"
                                                                         << run.Out << run.Err;
        EXPECT_EQ(CliMachine::Read(m.Gpl() / "driver.ini"),
                  row.Expected.empty() ? row.Roster : row.Expected)
            << row.Name;
        for (const auto& [file, bytes] : bystanders)
            EXPECT_EQ(CliMachine::Read(file), bytes) << row.Name;
        // A stored path that is no installation's roster gives way to the one found.
        if (row.Prepare) {
            EXPECT_EQ(m.Stored("DriverIniFile"), "C:\\sierra\\gpl\\driver.ini") << row.Name;
        }
        // A changed roster still lists its first driver.
        if (row.Status == 0 && row.Args[0] == "car-number") {
            EXPECT_EQ(m.Run({"drivers"}).OutLines().at(0), "1\tJack\tBrabham\t55\t0\t1")
                << row.Name;
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

}  // namespace
}  // namespace movrand::test
