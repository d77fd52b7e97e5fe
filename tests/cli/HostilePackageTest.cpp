#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "CliRunner.h"
#include "DemoAddOns.h"
#include "DemoInstallation.h"
#include "FileSnapshot.h"

namespace movrand::test {
namespace {

namespace fs = std::filesystem;
using Files = std::map<std::string, std::string>;
using Args = std::vector<std::string>;

const std::string kHostile = "C:\\addons\\Hostile";
const std::string kClassic = "C:\\addons\\Ferrari 312 Classic";

demo::DemoEntry Entry(const std::string& description, const std::string& kind,
                      std::vector<std::pair<std::string, std::string>> files) {
    return {description, kind, std::move(files), description + ".\r\n", false, false};
}

// One hostile package on a fresh demo installation: it is written as C:\addons\Hostile, the
// commands `before` run (each must succeed), then `command`; its status and a text it must say
// (on either stream). A refused command leaves the installation and the add-on folders byte for
// byte as they were; else `holds` looks at what it left.
struct Row {
    const char* what;
    demo::DemoAddOn package;
    std::function<void(CliMachine&)> prepare;  // what the package cannot say: links, odd files
    std::vector<Args> before;
    Args command;
    int status;
    std::string said;
    std::function<void(CliMachine&, const Files& team)> holds;  // team: its files at the start
};

fs::path Team(const CliMachine& m) {
    return m.Gpl() / "cars" / "cars67" / "ferrari";
}

const auto nothing = [](CliMachine&) {};
const Args kInstallAccessory = {"install", kHostile, "Stripes"};
const Args kInstallCar = {"install", kHostile, "Car"};
const std::vector<Args> kProgramCar = {{"install", kClassic, "Ferrari 312"}};

TEST(HostilePackages, AreRefusedOrLeaveEveryFileRecoverable) {
    const Row rows[] = {
        {"a file under the car description's name, any letter case",
         {"ferrari", {Entry("Stripes", "accessory", {{"ZorvexCarDesc.Zorvex", "x"}})}},
         nothing,
         {},
         kInstallAccessory,
         1,
         "\"ZorvexCarDesc.Zorvex\"",
         nullptr},
        {"an accessory named as the installed car",
         {"ferrari", {Entry("Complete Car", "accessory", {{"a.mip", "a"}})}},
         nothing,
         {},
         {"install", kHostile, "Complete Car"},
         1,
         "\"Complete Car\"",
         nullptr},
        {"a car carrying an accessory record that names the game's files",
         {"ferrari",
          {Entry("Car", "car",
                 {{"zorvexacc_Racing Stripes.zorvex",
                   "[accessories]\r\nfile1 = fer.3do\r\nfer.3do = just added\r\n"}})}},
         nothing,
         {},
         kInstallCar,
         1,
         "\"zorvexacc_Racing Stripes.zorvex\"",
         nullptr},
        {"an accessory carrying another's picture",
         {"ferrari", {Entry("Stripes", "accessory", {{"ZORVEXBMP_x.bmp", "b"}})}},
         nothing,
         kProgramCar,
         kInstallAccessory,
         1,
         "\"ZORVEXBMP_x.bmp\"",
         nullptr},
        {"links to files outside the add-on, its picture among them",
         {"ferrari", {Entry("Stripes", "accessory", {{"a.mip", "a"}})}},
         [](CliMachine& m) {
             const fs::path entry = m.DriveC() / "addons" / "Hostile" / "Stripes";
             fs::create_symlink(m.Gpl() / "driver.ini", entry / "fer9.mip");
             fs::create_symlink(m.Gpl() / "gpl.exe", entry / "zorvex.jpg");
             fs::create_symlink("../zorvexferrari1.zorvex", entry / "inside.mip");
         },
         {},
         kInstallAccessory,
         1,
         "\"fer9.mip\", \"zorvex.jpg\".",
         nullptr},
        {"a car entry folder that is a link out of the add-on",
         {"ferrari", {Entry("Car", "car", {})}},
         [](CliMachine& m) {
             const fs::path entry = m.DriveC() / "addons" / "Hostile" / "Car";
             fs::remove_all(entry);
             fs::create_directory_symlink(m.Gpl() / "cars" / "cars67" / "brm", entry);
         },
         {},
         kInstallCar,
         1,
         "\"Car\"",
         nullptr},
        {"two files of a car that differ only in letter case",
         {"ferrari", {Entry("Car", "car", {{"Fer9.mip", "one"}, {"fer9.MIP", "two"}})}},
         nothing,
         {},
         kInstallCar,
         1,
         "different letter case",
         nullptr},
        {"a team folder holding one name in two letter cases",
         {"ferrari", {Entry("Car", "car", {{"fer9.mip", "car 9"}})}},
         [](CliMachine& m) { demo::WriteFile(Team(m) / "FER9.MIP", "twin"); },
         {},
         kInstallCar,
         1,
         "\"FER9.MIP\", \"fer9.mip\"",
         nullptr},
        {"a car bringing its own .dat gives the team's back when removed",
         {"ferrari", {Entry("Car", "car", {{"ferrari.dat", "the add-on's data"}, {"x.3do", "x"}})}},
         nothing,
         kProgramCar,
         kInstallCar,
         0,
         "The new car has been added.",
         [](CliMachine& m, const Files& team) {
             const std::string ours = team.at("ferrari.dat");
             EXPECT_EQ(CliMachine::Read(Team(m) / "ferrari.dat"), "the add-on's data");
             EXPECT_EQ(m.Run({"install", kClassic, "Ferrari 312"}).Status, 0);
             EXPECT_EQ(CliMachine::Read(Team(m) / "ferrari.dat"), ours);
             EXPECT_EQ(m.Run({"install", kHostile, "Car"}).Status, 0);
             EXPECT_EQ(m.Run({"--yes", "remove", "Ferrari", "Complete Car"}).Status, 0);
             EXPECT_EQ(TreeOf(Team(m)), (Files{{"ferrari.dat", ours}}));
         }},
        {"an accessory over the program's car backs up the car's file",
         {"ferrari", {Entry("Stripes", "accessory", {{"fer9.mip", "stripes"}})}},
         nothing,
         kProgramCar,
         kInstallAccessory,
         0,
         "The new accessory files have been added.",
         [](CliMachine& m, const Files&) {
             EXPECT_EQ(m.Run({"--yes", "remove", "Ferrari", "Stripes"}).Status, 0);
             EXPECT_EQ(CliMachine::Read(Team(m) / "fer9.mip"), "add-on texture of car 9\r\n");
         }},
        {"an accessory whose add-on folder was moved away",
         {"ferrari", {}},
         nothing,
         kProgramCar,
         {"install", kClassic, "Red Wheels"},
         0,
         "The new accessory files have been added.",
         [](CliMachine& m, const Files&) {
             fs::rename(m.DriveC() / "addons" / "Ferrari 312 Classic", m.DriveC() / "moved");
             EXPECT_EQ(m.Run({"--yes", "remove", "Ferrari", "Red Wheels"}).Status, 0);
             EXPECT_EQ(CliMachine::Read(Team(m) / "fer9.mip"), "add-on texture of car 9\r\n");
             EXPECT_FALSE(fs::exists(Team(m) / "wheels.mip"));
         }},
    };
    const auto check = [](const Row& row) {
        CliMachine m;
        demo::MakeAddOnFolder(m.DriveC() / "addons" / "Hostile", row.package);
        row.prepare(m);
        const Files team = TreeOf(Team(m));
        for (const Args& args : row.before) ASSERT_EQ(m.Run(args).Status, 0) << args.back();
        const Files before = TreeOf(m.DriveC());
        const CliRun run = m.Run(row.command);
        EXPECT_EQ(run.Status, row.status) << run.Out << run.Err;
        EXPECT_NE((run.Out + run.Err).find(row.said), std::string::npos) << run.Out << run.Err;
        if (row.holds)
            row.holds(m, team);
        else
            EXPECT_EQ(Differences(TreeOf(m.DriveC()), before), "");
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        check(row);
    }
}

}  // namespace
}  // namespace movrand::test
