// SPDX-License-Identifier: GPL-3.0-or-later
// movrand-cli as a user runs it on the demo installation: each road is a fresh demo machine
// (changed a little by its Prepare) and the commands run on it in turn, each with the exit
// status, output, error text and files it must leave. Adding a case is adding a step or a road.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <regex>
#include <set>

#include "CliRunner.h"
#include "Samples.h"

namespace movrand::test {
namespace {

namespace fs = std::filesystem;
using Bytes = std::optional<std::string>;

struct Step {
    std::vector<std::string> Args;
    int Status;
    std::string Out = "";
    std::string Err = "";
    // A file ("C:\..." on the demo's drive, else below the machine's root: config/, data/) and
    // its bytes, or nullopt when it must not exist; a name ending in "/" is a folder and its
    // bytes the names in it, one a line; "setting KEY" is a stored value.
    std::vector<std::pair<std::string, Bytes>> Files = {};
};

struct Road {
    const char* Name;
    std::function<void(CliMachine&)> Prepare;
    std::vector<Step> Steps;
};

void PrintTo(const Road& road, std::ostream* out) {
    *out << road.Name;
}

// `expected` is the whole text; ending in "..." it is its beginning, starting with "..." a part.
void ExpectFits(const std::string& actual, const std::string& expected, const std::string& what) {
    if (expected.size() >= 3 && expected.compare(expected.size() - 3, 3, "...") == 0)
        EXPECT_EQ(actual.substr(0, expected.size() - 3), expected.substr(0, expected.size() - 3))
            << what;
    else if (expected.rfind("...", 0) == 0)
        EXPECT_NE(actual.find(expected.substr(3)), std::string::npos) << what << ": " << actual;
    else
        EXPECT_EQ(actual, expected) << what;
}

// "<C>" in arguments and texts stands for the native path of the machine's drive C:.
std::string Expand(std::string text, const CliMachine& m) {
    for (std::size_t at; (at = text.find("<C>")) != std::string::npos;)
        text.replace(at, 3, m.DriveC().string());
    for (std::size_t at; (at = text.find("<P>")) != std::string::npos;)
        text.replace(at, 3, m.Prefix().string());
    return text;
}

Bytes Actual(const CliMachine& m, const std::string& name) {
    if (name.rfind("setting ", 0) == 0) return m.Stored(name.substr(8));
    fs::path path = m.Root() / name;
    if (name.rfind("C:\\", 0) == 0)
        path = m.DriveC() / std::regex_replace(name.substr(3), std::regex(R"(\\)"), "/");
    if (!fs::exists(path)) return std::nullopt;
    if (!fs::is_directory(path)) return CliMachine::Read(path);
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(path)) names.insert(entry.path().filename());
    std::string listing;
    for (const std::string& n : names) listing += n + "\n";
    return listing;
}

const std::string kClassic = "C:\\addons\\Ferrari 312 Classic";
const std::string kClassicCars = "C:\\carfolders\\cars67_classic";
const std::string kHelmets = "C:\\addons\\Universal Helmets";
const std::string kFerrari = "C:\\sierra\\gpl\\cars\\cars67\\ferrari\\";
const std::string kLotus = "C:\\sierra\\gpl\\cars\\cars67\\LOTUS\\";
const std::string kCooper = "C:\\sierra\\gpl\\cars\\cars67\\coventry\\";
const std::string kWorkingCopy = "data/movrand/driver.zorvex";
const std::string kJack = "1\tJack\tBrabham\t1\t0\t1\n...";
const std::string kJock = "1\tJock\tBrabham\t1\t0\t1\n...";
const std::string kAccessoryAdded = "message: The new accessory files have been added.\n";
const std::string kUsage =
    "movrand-cli [--gpl PATH] [--prefix PATH] [--yes] [--team NAME] COMMAND [ARGS...]\n...";
const std::string kNotGpl =
    "The new Folder is NOT a valid GPL Installation Folder - Please re-select.\n";
const std::string kSureAccessory = "question: Are you sure you want to remove this accessory?\n";

// Wrong usage: status 2, the problem and the usage on stderr, nothing on stdout.
Step Wrong(std::vector<std::string> args, const std::string& problem) {
    return {std::move(args), 2, "", "movrand-cli: " + problem + "\n\n" + kUsage};
}

// clang-format off
const std::vector<Road> kRoads = {
    {"AddAndRemoveOnTheDemo", nullptr, {
        {{"entries", "<C>/addons/Ferrari 312 Classic"}, 0,
         "1\tFerrari 312\tcar\n2\tRed Wheels\taccessory\n3\tChrome Mirrors\taccessory\n"},
        {{"preview", kClassic, "Ferrari 312"}, 0,
         "picture: C:\\addons\\Ferrari 312 Classic\\Ferrari 312\\zorvex.bmp\ndescription: Ferrari 312 of 1967.\\nFor the Ferrari team.\nmodel: fer10.3do\nmodel: fer11.3do\nmodel: fer9.3do\n"},
        {{"install", kClassic, "Ferrari 312"}, 0, "message: The new car has been added.\n", "",
         {{kFerrari + "fer9.3do", "add-on model of car 9\r\n"}}},
        {{"install", kClassic, "Red Wheels"}, 0, kAccessoryAdded, "", {{kFerrari + "wheels.mip", "red wheels\r\n"}}},
        {{"installed", "Ferrari"}, 0, "Complete Car\nRed Wheels\n"},
        // Without --yes every question is answered no: nothing is removed and the status is 1.
        {{"remove", "Ferrari", "Red Wheels"}, 1, kSureAccessory + "answer: no\n", "",
         {{kFerrari + "wheels.mip", "red wheels\r\n"}}},
        {{"--yes", "remove", "Ferrari", "Red Wheels"}, 0,
         kSureAccessory + "answer: yes\nmessage: The Accessory has been removed.\n", "",
         {{kFerrari + "wheels.mip", std::nullopt}}},
        {{"installed", "ferrari"}, 0, "Complete Car\n"},
        {{"--yes", "remove", "Ferrari", "Complete Car"}, 0, "..."},
        {{"installed", "Ferrari"}, 0, ""},
        // Operands that name nothing are wrong usage.
        {{"entries", "C:\\sierra\\gpl"}, 2, "",
         "movrand-cli: C:\\sierra\\gpl is not an add-on folder (it holds no zorvexcar.zorvex)\n"},
        {{"install", kClassic, "Blue Wheels"}, 2, "", "movrand-cli: " + kClassic + " has no entry \"Blue Wheels\"\n"},
        {{"installed", "Williams"}, 2, "", "..."},
        {{"--yes", "remove", "Lotus", "Complete Car"}, 2, "",
         "movrand-cli: Lotus has no installed item \"Complete Car\"\n", {{kLotus + "lot12.3do", "model of car 12\r\n"}}}}},
    {"TheTeamQuestionIsAnsweredByTeam", nullptr, {
        {{"install", kHelmets, "Helmet Pack"}, 1, "", "...nothing was installed", {{kCooper + "helmet1.mip", std::nullopt}}},
        {{"--team", "Cooper", "install", kHelmets, "Helmet Pack"}, 0, kAccessoryAdded, "",
         {{kCooper + "helmet1.mip", "helmet one\r\n"}}},
        {{"installed", "Cooper"}, 0, "Helmet Pack\n"}}},
    {"CarNumberSwapsWithTheHolderAndSavesDriverIni", nullptr, {
        {{"car-number", "1", "12"}, 0,
         "message: You have just assigned Car Number 12 to Jack Brabham.\\nThis number had previously been assigned to Jim Clark.\\nJim Clark has been assigned Jack Brabham's old number (1).\n", "",
         {{"C:\\sierra\\gpl\\driver.ini", "...[ driver_1 ]\r\nfirst_name = Jack\r\nlast_name = Brabham\t; surname\r\nnationality = 1\r\nteam_number = 0\r\ncar_number=12\r\n"},
          // The desktop program's working copy has the change too.
          {kWorkingCopy, "...[driver_12]\r\nfirst_name = Jim\r\nlast_name = Clark\t; surname\r\nnationality = 12\r\nteam_number = 5\r\ncar_number=1\r\n"}}}}},
    {"TheHistoryTakesEveryChangeBack", nullptr, {
        {{"history"}, 0, "0\t\t\tBefore Movrand changed this installation\n"},
        {{"install", kClassic, "Ferrari 312"}, 0, "..."},
        {{"car-number", "1", "12"}, 0, "..."},
        {{"label", "1", " first\tcar "}, 0, "message: Step 1 is named \"first car\".\n"},
        {{"label", "3", "x"}, 1, "message: There is no step 3 in the history.\n"},
        {{"history"}, 0, "0\t\t\tBefore Movrand changed this installation\n1\t2..."},
        {{"history"}, 0, "...\tInstalled Ferrari 312 (complete car) into Ferrari\tfirst car\n2\t"},
        {{"history"}, 0, "...\tCar number 12 given to Jack Brabham\n"},
        {{"history", "1"}, 0, "...created\t" + kFerrari + "zorvexcardesc.zorvex\n"},
        {{"verify"}, 0, ""},
        // Steps 2 and 3 cancel out: the restore to 0 counts only what step 1 changed.
        {{"undo"}, 0, "message: Undid step 2 (step 3). It changed 1 file.\n", "",
         {{"C:\\sierra\\gpl\\driver.ini", "...Brabham\t; surname\r\nnationality = 1\r\nteam_number = 0\r\ncar_number = 1\r\n"}}},
        {{"restore", "0"}, 0, "message: Restored to step 0 (step 4). It changed 17 files and 2 folders.\n", "",
         {{kFerrari + "zorvexcardesc.zorvex", std::nullopt}}},
        {{"restore", "3"}, 0, "message: Restored to step 3 (step 5). It changed 17 files and 2 folders.\n", "",
         {{kFerrari + "zorvexcardesc.zorvex", "Ferrari 312 of 1967.\r\nFor the Ferrari team.\r\n"}}},
        {{"restore", "9"}, 1, "message: There is no step 9 in the history.\n"},
        {{"history", "x"}, 2, "", "..."},
        {{"forget", "4"}, 1, "...Forget 3 step(s), those before step 4? The installation can no longer be restored to them.\\n\\nThese steps you named are forgotten with them:\\n  step 1 \"first car\"\nanswer: no\n"},
        {{"--yes", "forget", "4"}, 0, "...3 step(s) forgotten"},
        {{"restore", "1"}, 1, "...the steps before step 4 have been forgotten.\n"},
        {{"history"}, 0, "3\t\t\tBefore step 4\n4\t..."},
        {{"label", "1", "gone"}, 1, "message: There is no step 1 in the history.\n"},
        {{"history-size", "0"}, 1,
         "question: Forget 1 step(s), those before step 5? The installation can no longer be restored to them..."},
        {{"history"}, 0, "3\t\t\tBefore step 4\n4\t..."},
        {{"--yes", "history-size", "0"}, 0, "...oldest step(s), up to step 4, have been forgotten"},
        {{"history", "repair"}, 0, "...was rebuilt from its 1 step file(s).\n"},
        {{"history", "5"}, 0, "..."}}},
    {"MatchGivesDriversTheirCarsAndTheTeamListShowsIt", nullptr, {
        {{"team-drivers", "Lotus"}, 0, "Jim Clark [12]\nGraham Hill [14]\n"},
        {{"match"}, 0, "", "", {{kLotus + "Cla12a.3do", "model of car 12\r\n"}, {kLotus + "Hil14a.mip", "texture of car 14\r\n"}}},
        {{"team-drivers", "lotus"}, 0, "Jim Clark [12]   (matched to car)\nGraham Hill [14]   (matched to car)\n"},
        {{"team-drivers", "williams"}, 0, ""}}},
    {"AnArchiveStandsForItsAddOnFolder", [](CliMachine& m) {
        fs::create_directories(m.DriveC() / "downloads");
        ASSERT_EQ(std::system(("bsdtar -C '" + (m.DriveC() / "addons").string() + "' -a -cf '" +
                               (m.DriveC() / "downloads" / "classic.zip").string() +
                               "' 'Ferrari 312 Classic'").c_str()), 0);
        fs::create_symlink("/etc", m.DriveC() / "up");
        ASSERT_EQ(std::system(("bsdtar -C '" + m.DriveC().string() + "' -cf '" +
                               (m.DriveC() / "downloads" / "link.tar").string() + "' up").c_str()), 0);
        fs::create_directories(m.DriveC() / "addons" / "Sly");
        std::ofstream(m.DriveC() / "addons" / "Sly" / "zorvexcar.zorvex")
            << "[header]\r\nteam = mclaren\r\n[files]\r\nfile1desc = ..\r\n";
    }, {
        {{"unpack", "<C>/downloads/classic.zip"}, 0, "C:\\downloads\\classic\n", "",
         {{"C:\\downloads\\classic\\Red Wheels\\wheels.mip", "red wheels\r\n"}}},
        {{"unpack", "C:\\downloads\\classic.zip", "C:\\addons"}, 0, "C:\\addons\\classic\n"},
        {{"entries", "C:\\sierra\\gpl\\driver.ini"}, 2, "", "...is not an add-on folder"},
        {{"entries", "C:\\downloads\\link.tar"}, 1,
         "message: The archive \"link.tar\" was not unpacked: the entry \"up\" is a link; links are not unpacked. Nothing was written.\n",
         "", {{"data/movrand/unpacking.movrand-temp", std::nullopt}, {"C:\\downloads\\", "classic\nclassic.zip\nlink.tar\n"}}},
        {{"unpack", "C:\\sierra\\gpl\\driver.ini"}, 1, "message: The archive \"driver.ini\" was not unpacked: it is not an archive...",
         "", {{"C:\\sierra\\gpl\\driver\\", std::nullopt}}},
        {{"entries", "C:\\downloads\\classic.zip"}, 0,
         "1\tFerrari 312\tcar\n2\tRed Wheels\taccessory\n3\tChrome Mirrors\taccessory\n", "",
         {{"data/movrand/unpacking.movrand-temp", std::nullopt}}},
        {{"preview", "<C>/downloads/classic.zip", "Ferrari 312"}, 0,
         "picture: Ferrari 312\\zorvex.bmp in C:\\downloads\\classic.zip\ndescription: Ferrari 312..."},
        // An accessory of the add-on's own car waits for the car; then it installs straight from
        // the archive, its record naming its own backup folder, and is removed again.
        {{"install", "C:\\downloads\\classic.zip", "Red Wheels"}, 1, "message: The Accessories cannot be added...",
         "", {{kFerrari + "wheels.mip", std::nullopt}}},
        {{"install", "C:\\downloads\\classic.zip", "Ferrari 312"}, 0, "message: The new car has been added.\n", "",
         {{kFerrari + "fer9.3do", "add-on model of car 9\r\n"}, {"data/movrand/unpacking.movrand-temp", std::nullopt}}},
        {{"install", "C:\\downloads\\classic.zip", "Red Wheels"}, 0, kAccessoryAdded, "",
         {{kFerrari + "wheels.mip", "red wheels\r\n"}, {"data/movrand/unpacking.movrand-temp", std::nullopt}}},
        {{"--yes", "remove", "Ferrari", "Red Wheels"}, 0, kSureAccessory + "answer: yes\nmessage: The Accessory has been removed.\n"},
        // A file error is one line naming its file.
        {{"preview", "C:\\addons\\Sly", ".."}, 3, "picture: none\ndescription: \n", "error: 76 Path not found: C:\\sierra\\gpl\\cars\\cars67\\mclaren\n"}}},
    {"UsageAndWrongUsageTouchNothing", nullptr, {
        {{"--help"}, 0, kUsage},
        {{"-h"}, 0, kUsage},
        {{"--yes", "--help"}, 0, "...\n  switch PATH           make PATH the installation in use"},
        Wrong({}, "no command given"),
        Wrong({"frobnicate"}, "unknown command frobnicate"),
        Wrong({"--gpl"}, "--gpl needs a value"),
        Wrong({"--colour", "drivers"}, "unknown option --colour"),
        Wrong({"drivers", "--yes"}, "unknown option --yes for drivers"),
        Wrong({"check"}, "check takes 1 argument"),
        Wrong({"preview", "A", "B", "C"}, "preview takes 2 arguments"),
        Wrong({"unpack", "A", "B", "C"}, "unpack takes 1 argument"),
        Wrong({"install", "A", "B", "--excl-generic"}, "unknown option --excl-generic for install"),
        Wrong({"swap", "S"}, "swap needs either --delete or --rename DEST NAME"),
        Wrong({"swap", "S", "--delete", "--rename", "D", "N"}, "swap needs either --delete or --rename DEST NAME"),
        Wrong({"swap", "S", "--delete", "--move", "--copy"}, "swap takes --move or --copy, not both"),
        Wrong({"swap", "S", "--rename", "D"}, "--rename needs DEST and NAME"),
        Wrong({"swap", kClassicCars, "--rename", "C:\\", "a.b"}, "NAME may hold only letters, digits and \"_\""),
        Wrong({"car-number", "20", "5"}, "N must be a driver number from 1 to 19"),
        // Nothing was touched: no settings, no program folder.
        {{"car-number", "x", "5"}, 2, "", "movrand-cli: N must be a driver number from 1 to 19\n...",
         {{"config", std::nullopt}, {kWorkingCopy, std::nullopt}}}}},
    {"CheckTakesNativeAndWindowsPathsAndStoresNothing", nullptr, {
        {{"check", "<C>/sierra/gpl"}, 0, "valid\n"},
        {{"check", "C:\\sierra\\gpl"}, 0, "valid\n", "", {{"config", std::nullopt}}}}},
    {"CheckRefusesAFolderWithoutGplAi", [](CliMachine& m) { fs::remove(m.Gpl() / "gpl_ai.ini"); }, {
        {{"check", "C:\\sierra\\gpl"}, 1, "message: " + kNotGpl, "", {{"config", std::nullopt}}}}},
    // The first run finds the installation and stores it, as the desktop program does.
    {"DriversAreReadFromTheStoredInstallation", nullptr, {
        {{"drivers"}, 0,
         "1\tJack\tBrabham\t1\t0\t1\n2\tDenny\tHulme\t2\t0\t20\n3\tJackie\tStewart\t3\t1\t12\n4\tMike\tSpence\t4\t1\t12\n5\tJochen\tRindt\t5\t2\t2\n6\tPedro\tRodriguez\t6\t2\t16\n7\tDan\tGurney\t07\t3\t26\n...", "",
         {{"setting DriverIniFile", "C:\\sierra\\gpl\\driver.ini"}, {kWorkingCopy, "...[driver_7]\r\n"}}},
        {{"drivers"}, 0, "...18\tJacky\tIckx\t19\t3\t3\n19\tChris\tIrwin\t20\t1\t12\n"}}},
    // --gpl works on another installation for one run; switch makes it the one in use, on yes.
    {"GplForOneRunAndSwitchForGood", [](CliMachine& m) { MakeOtherInstallation(m.DriveC() / "other" / "gpl"); }, {
        // Both are found: nothing is used until one is named or stored.
        {{"drivers"}, 1, "", "movrand-cli: several GPL installations were found and none is stored:\n  <P>\tC:\\sierra\\gpl\\driver.ini\n  <P>\tC:\\other\\gpl\\driver.ini\n..."},
        {{"--yes", "switch", "<C>/sierra/gpl"}, 0, "..."},
        {{"drivers"}, 0, kJack},
        // The desktop program's working copy still holds the stored installation's roster.
        {{"--gpl", "<C>/other/gpl", "drivers"}, 0, kJock, "",
         {{"setting DriverIniFile", "C:\\sierra\\gpl\\driver.ini"}, {"data/movrand/", "driver.zorvex\nmovrand.lock\n"},
          {kWorkingCopy, "...first_name = Jack\r\n"}}},
        {{"--gpl", "<C>/other", "drivers"}, 2, "", "movrand-cli: --gpl <C>/other: " + kNotGpl},
        {{"switch", "<C>/other/gpl"}, 1,
         "question: Are you sure you want to change Movrand to use this new GPL Installation?\nanswer: no\n", "",
         {{"setting DriverIniFile", "C:\\sierra\\gpl\\driver.ini"}}},
        {{"--yes", "switch", "<C>/other/gpl"}, 0, "...", "", {{"setting DriverIniFile", "C:\\other\\gpl\\driver.ini"}}},
        {{"drivers"}, 0, kJock}}},
    {"SwapAsksAndMakesTheStoredFolderTheLiveOne", nullptr, {
        // A check before anything moves refuses with a message and status 1.
        {{"--yes", "swap", kClassicCars, "--rename", "C:\\nowhere", "x"}, 1,
         "...message: The destination folder C:\\nowhere does not exist", "",
         {{kFerrari + "ferrari.dat", "team data of ferrari\r\n"}}},
        {{"--yes", "swap", "<C>/carfolders/cars67_classic", "--delete", "--move"}, 0,
         "question: The current GPL car folder will be deleted  and the selected new folder will become the new GPL Cars Folder by being moved into the GPL folder.\\n\\nDo you wish to continue?\nanswer: yes\n", "",
         {{kFerrari + "ferrari.dat", "classic team data of ferrari\r\n"}, {kClassicCars, std::nullopt},
          {"C:\\sierra\\gpl\\cars\\", "cars67\n"}}}}},
    {"NoInstallationAnywhere", [](CliMachine& m) { fs::remove_all(m.DriveC() / "sierra"); }, {
        {{"drivers"}, 1,
         "message: Unable to find driver.ini           Please locate file.\nmessage: The driver.ini file has not been located.  The program is terminating.\n"}}},
};
// clang-format on

class CliRoad : public ::testing::TestWithParam<Road> {};

// With nothing stored, the one installation found is the one a run uses; play names the
// launcher's program it cannot find.
TEST(CliInstallations, TheOneFoundIsInUseAndPlayNamesAMissingLauncher) {
    const CliMachine m;
    EXPECT_EQ(m.Run({"installations"}).Out,
              m.Prefix().string() + "\tC:\\sierra\\gpl\\driver.ini\tin use\n");
    if (fs::exists("/usr/bin/wine") || fs::exists("/bin/wine")) return;
    const CliRun play = m.Run({"play"});
    EXPECT_EQ(play.Status, 1);
    EXPECT_NE((play.Out + play.Err)
                  .find("GPL cannot be started: Wine's program wine is not installed (it is not "
                        "on the PATH)."),
              std::string::npos)
        << play.Out << play.Err;
}

// GPL moved out of sierra\\gpl is found where it is, and used there.
TEST(CliInstallations, GplAnywhereOnTheDriveIsFoundAndUsed) {
    const CliMachine m;
    fs::create_directories(m.DriveC() / "GOG Games");
    fs::rename(m.Gpl(), m.DriveC() / "GOG Games" / "GPL");
    EXPECT_EQ(m.Run({"installations"}).Out,
              m.Prefix().string() + "\tC:\\GOG Games\\GPL\\driver.ini\tin use\n");
    EXPECT_EQ(
        m.Run({"installations", "--verbose"}).Err,
        "note: " + m.Prefix().string() + " C:\\GOG Games\\GPL\\driver.ini is started by Wine\n");
    const CliRun drivers = m.Run({"drivers"});
    EXPECT_EQ(drivers.Status, 0) << drivers.Err;
    EXPECT_EQ(drivers.OutLines().size(), 19u);
    EXPECT_EQ(m.Stored("DriverIniFile"), "C:\\GOG Games\\GPL\\driver.ini");
}

TEST_P(CliRoad, EachCommandLeavesWhatItShould) {
    CliMachine m;
    if (GetParam().Prepare) GetParam().Prepare(m);
    for (const Step& step : GetParam().Steps) {
        std::vector<std::string> args;
        std::string line = "movrand-cli";
        for (const std::string& arg : step.Args) {
            args.push_back(Expand(arg, m));
            line += " " + args.back();
        }
        SCOPED_TRACE(line);
        const CliRun run = m.Run(args);
        EXPECT_EQ(run.Status, step.Status) << run.Out << run.Err;
        ExpectFits(run.Out, Expand(step.Out, m), "stdout");
        ExpectFits(run.Err, Expand(step.Err, m), "stderr");
        for (const auto& [name, bytes] : step.Files) {
            const Bytes actual = Actual(m, name);
            if (!bytes || !actual)
                EXPECT_EQ(actual.has_value(), bytes.has_value()) << name;
            else
                ExpectFits(*actual, *bytes, name);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Demo, CliRoad, ::testing::ValuesIn(kRoads),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace movrand::test
