// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <functional>

#include "CliRunner.h"
#include "DemoAddOns.h"
#include "DemoInstallation.h"
#include "FileSnapshot.h"

namespace movrand::test {
namespace {

namespace fs = std::filesystem;
using Files = std::map<std::string, std::string>;

const std::string kClassic = "C:\\addons\\Ferrari 312 Classic";

// C:\addons\Hostile of team ferrari with one entry.
void Package(CliMachine& m, const std::string& kind, const std::string& entry,
             std::vector<std::pair<std::string, std::string>> files) {
    demo::MakeAddOnFolder(m.DriveC() / "addons" / "Hostile",
                          {"ferrari", {{entry, kind, std::move(files), entry + ".\r\n"}}});
}

fs::path Team(const CliMachine& m) {
    return m.Gpl() / "cars" / "cars67" / "ferrari";
}

fs::path EntryFolder(const CliMachine& m, const std::string& entry) {
    return m.DriveC() / "addons" / "Hostile" / entry;
}

CliRun Install(const CliMachine& m, const std::string& entry) {
    return m.Run({"install", "C:\\addons\\Hostile", entry});
}

// A package written on a fresh demo installation (over the program's car where `programCar`),
// then installed through movrand-cli: refused (status 3 where reading the add-on also reported
// an error), with a message that says `said`, before anything
// is written: the drive is byte for byte as it was.
TEST(HostilePackages, AreRefusedBeforeAnythingIsWritten) {
    struct Row {
        const char* what;
        std::function<void(CliMachine&)> prepare;
        std::string entry, said;
        bool programCar = false;
        int status = 1;
    };
    const Row rows[] = {
        {"a file under the car description's name, any letter case",
         [](CliMachine& m) {
             Package(m, "accessory", "S", {{"ZorvexCarDesc.Zorvex", "x"}});
         },
         "S", "\"ZorvexCarDesc.Zorvex\""},
        {"an accessory named as the installed car",
         [](CliMachine& m) {
             Package(m, "accessory", "Complete Car", {{"a.mip", "a"}});
         },
         "Complete Car", "\"Complete Car\"", true},
        {"a car carrying an accessory record that names the game's files",
         [](CliMachine& m) {
             Package(m, "car", "C",
                     {{"zorvexacc_Racing Stripes.zorvex", "[accessories]\r\nfile1 = fer.3do\r\n"}});
         },
         "C", "\"zorvexacc_Racing Stripes.zorvex\""},
        {"an accessory carrying another's picture",
         [](CliMachine& m) {
             Package(m, "accessory", "S", {{"ZORVEXBMP_x.bmp", "b"}});
         },
         "S", "\"ZORVEXBMP_x.bmp\"", true},
        {"links wherever they lead (its picture among them, one inside too)",
         [](CliMachine& m) {
             Package(m, "accessory", "S", {{"a.mip", "a"}});
             fs::create_symlink(m.Gpl() / "driver.ini", EntryFolder(m, "S") / "fer9.mip");
             fs::create_symlink(m.Gpl() / "gpl.exe", EntryFolder(m, "S") / "zorvex.jpg");
             fs::create_symlink("../zorvexferrari1.zorvex", EntryFolder(m, "S") / "in.mip");
         },
         "S", "\"fer9.mip\", \"in.mip\", \"zorvex.jpg\"."},
        {"a FIFO among the entry's files, over the program's car",
         [](CliMachine& m) {
             Package(m, "accessory", "S", {{"a.mip", "a"}});
             ASSERT_EQ(::mkfifo((EntryFolder(m, "S") / "fer9.mip").c_str(), 0644), 0);
         },
         "S", "not plain files: \"fer9.mip\".", true},
        {"a description file that is a FIFO",
         [](CliMachine& m) {
             Package(m, "car", "C", {{"a.3do", "a"}});
             const fs::path description =
                 m.DriveC() / "addons" / "Hostile" / "zorvexferrari1.zorvex";
             fs::remove(description);
             ASSERT_EQ(::mkfifo(description.c_str(), 0644), 0);
         },
         "C", "\"zorvexferrari1.zorvex\".", false, 3},
        {"a marker file that is a FIFO",
         [](CliMachine& m) {
             Package(m, "car", "C", {{"a.3do", "a"}});
             const fs::path marker = m.DriveC() / "addons" / "Hostile" / "zorvexcar.zorvex";
             fs::remove(marker);
             ASSERT_EQ(::mkfifo(marker.c_str(), 0644), 0);
         },
         "C", "zorvexcar.zorvex: it is a FIFO", false, 3},
        {"a team folder that is a link to a folder outside the game",
         [](CliMachine& m) {
             Package(m, "car", "C", {{"a.3do", "a"}});
             fs::rename(Team(m), m.DriveC() / "keys");
             demo::WriteFile(m.DriveC() / "keys" / "id_rsa", "private key");
             fs::create_directory_symlink(m.DriveC() / "keys", Team(m));
         },
         "C", "team folder \"C:\\sierra\\gpl\\cars\\cars67\\ferrari\" is a link"},
        {"a car entry folder that is a link out of the add-on",
         [](CliMachine& m) {
             Package(m, "car", "C", {});
             fs::remove_all(EntryFolder(m, "C"));
             fs::create_directory_symlink(m.Gpl() / "cars" / "cars67" / "brm", EntryFolder(m, "C"));
         },
         "C", "\"C\""},
        {"two files of a car that differ only in letter case",
         [](CliMachine& m) {
             Package(m, "car", "C", {{"Fer9.mip", "1"}, {"fer9.MIP", "2"}});
         },
         "C", "\"fer9.MIP\" of this entry has the name of another"},
        {"a team folder holding one name in two letter cases",
         [](CliMachine& m) {
             Package(m, "car", "C", {{"fer9.mip", "car 9"}});
             demo::WriteFile(Team(m) / "FER9.MIP", "twin");
         },
         "C", "\"FER9.MIP\", \"fer9.mip\""},
        {"an add-on folder that is the team folder",
         [](CliMachine& m) {
             demo::MakeAddOnFolder(Team(m), {"ferrari", {{"Sub", "car", {{"n.3do", "n"}}, "."}}});
         },
         "", "is the GPL team folder"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        CliMachine m;
        row.prepare(m);
        if (row.programCar) {
            ASSERT_EQ(m.Run({"install", kClassic, "Ferrari 312"}).Status, 0);
        }
        const Files before = TreeOf(m.DriveC());
        const CliRun run = row.entry.empty()
                               ? m.Run({"install", "C:\\sierra\\gpl\\cars\\cars67\\ferrari", "Sub"})
                               : Install(m, row.entry);
        EXPECT_EQ(run.Status, row.status) << run.Out << run.Err;
        EXPECT_NE((run.Out + run.Err).find(row.said), std::string::npos) << run.Out << run.Err;
        EXPECT_EQ(Differences(TreeOf(m.DriveC()), before), "");
    }
}

// Add-ons that go in, over the program's car: taken out again, they give back what they
// replaced, whoever put it there and wherever their add-on folder has gone since.
TEST(HostilePackages, WhatGoesInOverTheProgramsCarComesBackOut) {
    CliMachine m;
    const std::string ours = CliMachine::Read(Team(m) / "ferrari.dat");
    ASSERT_EQ(m.Run({"install", kClassic, "Ferrari 312"}).Status, 0);
    Package(m, "car", "C", {{"ferrari.dat", "the add-on's data"}, {"x.3do", "x"}});
    ASSERT_EQ(Install(m, "C").Status, 0);
    EXPECT_EQ(CliMachine::Read(Team(m) / "ferrari.dat"), "the add-on's data");
    // A car without a .dat of its own over it, and the first one again, then its removal.
    ASSERT_EQ(m.Run({"install", kClassic, "Ferrari 312"}).Status, 0);
    EXPECT_EQ(CliMachine::Read(Team(m) / "ferrari.dat"), ours);
    ASSERT_EQ(Install(m, "C").Status, 0);
    ASSERT_EQ(m.Run({"--yes", "remove", "Ferrari", "Complete Car"}).Status, 0);
    EXPECT_EQ(TreeOf(Team(m)), (Files{{"ferrari.dat", ours}}));

    ASSERT_EQ(m.Run({"install", kClassic, "Ferrari 312"}).Status, 0);
    fs::remove_all(m.DriveC() / "addons" / "Hostile");
    Package(m, "accessory", "S", {{"fer9.mip", "stripes"}});
    ASSERT_EQ(Install(m, "S").Status, 0);
    ASSERT_EQ(m.Run({"install", kClassic, "Red Wheels"}).Status, 0);
    fs::rename(m.DriveC() / "addons" / "Ferrari 312 Classic", m.DriveC() / "moved");
    ASSERT_EQ(m.Run({"--yes", "remove", "Ferrari", "Red Wheels"}).Status, 0);
    EXPECT_EQ(CliMachine::Read(Team(m) / "fer9.mip"), "stripes");
    EXPECT_FALSE(fs::exists(Team(m) / "wheels.mip"));
    ASSERT_EQ(m.Run({"--yes", "remove", "Ferrari", "S"}).Status, 0);
    EXPECT_EQ(CliMachine::Read(Team(m) / "fer9.mip"), "add-on texture of car 9\r\n");
}

}  // namespace
}  // namespace movrand::test
