#include <gtest/gtest.h>

#include <filesystem>

#include "CliRunner.h"

namespace movrand::test {
namespace {

namespace fs = std::filesystem;

const std::string kFerrari = "C:\\addons\\Ferrari 312 Classic";

// The road of the desktop program's Add and Remove modes, on the demo installation.
TEST(CliAddOns, TheTypicalRoadOnTheDemo) {
    CliMachine m;
    const fs::path ferrari = m.Gpl() / "cars" / "cars67" / "ferrari";

    CliRun run = m.Run({"entries", (m.DriveC() / "addons" / "Ferrari 312 Classic").string()});
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out,
              "1\tFerrari 312\tcar\n2\tRed Wheels\taccessory\n3\tChrome Mirrors\taccessory\n");

    run = m.Run({"preview", kFerrari, "Ferrari 312"});
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out,
              "picture: C:\\addons\\Ferrari 312 Classic\\Ferrari 312\\zorvex.bmp\n"
              "description: Ferrari 312 of 1967.For the Ferrari team.\n"
              "model: fer10.3do\nmodel: fer11.3do\nmodel: fer9.3do\n");

    run = m.Run({"install", kFerrari, "Ferrari 312"});
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out, "message: The new car has been added.\n");
    EXPECT_EQ(CliMachine::Read(ferrari / "fer9.3do"), "add-on model of car 9\r\n");

    run = m.Run({"install", kFerrari, "Red Wheels"});
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out, "message: The new accessory files have been added.\n");
    EXPECT_EQ(CliMachine::Read(ferrari / "wheels.mip"), "red wheels\r\n");

    run = m.Run({"installed", "Ferrari"});
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out, "Complete Car\nRed Wheels\n");

    // Without --yes the question is answered no: nothing is removed and the status is 1.
    run = m.Run({"remove", "Ferrari", "Red Wheels"});
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Out, "question: Are you sure you want to remove this accessory?\nanswer: no\n");
    EXPECT_TRUE(fs::exists(ferrari / "wheels.mip"));
    run = m.Run({"--yes", "remove", "Ferrari", "Red Wheels"});
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(
        run.Out,
        "question: Are you sure you want to remove this accessory?\nanswer: yes\nmessage: The Accessory has been removed.\n");
    EXPECT_FALSE(fs::exists(ferrari / "wheels.mip"));
    EXPECT_EQ(m.Run({"installed", "ferrari"}).Out, "Complete Car\n");
    EXPECT_EQ(m.Run({"--yes", "remove", "Ferrari", "Complete Car"}).Status, 0);
    EXPECT_EQ(m.Run({"installed", "Ferrari"}).Out, "");

    // Operands that name nothing are wrong usage.
    run = m.Run({"entries", "C:\\sierra\\gpl"});
    EXPECT_EQ(run.Status, 2);
    EXPECT_EQ(
        run.Err,
        "movrand-cli: C:\\sierra\\gpl is not an add-on folder (it holds no zorvexcar.zorvex)\n");
    run = m.Run({"install", kFerrari, "Blue Wheels"});
    EXPECT_EQ(run.Status, 2);
    EXPECT_EQ(run.Err, "movrand-cli: " + kFerrari + " has no entry \"Blue Wheels\"\n");
    EXPECT_EQ(m.Run({"installed", "Williams"}).Status, 2);
    run = m.Run({"--yes", "remove", "Lotus", "Complete Car"});
    EXPECT_EQ(run.Status, 2);
    EXPECT_EQ(run.Err, "movrand-cli: Lotus has no installed item \"Complete Car\"\n");
    EXPECT_TRUE(fs::exists(m.Gpl() / "cars" / "cars67" / "LOTUS" / "lot12.3do"));
}

TEST(CliAddOns, TheTeamQuestionIsAnsweredByTeam) {
    CliMachine m;
    const std::string helmets = "C:\\addons\\Universal Helmets";
    CliRun run = m.Run({"install", helmets, "Helmet Pack"});
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Out, "");
    EXPECT_NE(run.Err.find("nothing was installed"), std::string::npos);
    EXPECT_FALSE(fs::exists(m.Gpl() / "cars" / "cars67" / "coventry" / "helmet1.mip"));

    run = m.Run({"--team", "Cooper", "install", helmets, "Helmet Pack"});
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out, "message: The new accessory files have been added.\n");
    EXPECT_EQ(CliMachine::Read(m.Gpl() / "cars" / "cars67" / "coventry" / "helmet1.mip"),
              "helmet one\r\n");
    EXPECT_EQ(m.Run({"installed", "Cooper"}).Out, "Helmet Pack\n");
}

}  // namespace
}  // namespace movrand::test
