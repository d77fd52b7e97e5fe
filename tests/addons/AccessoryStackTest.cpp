#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "AddOnFixture.h"
#include "addons/InstalledItems.h"

namespace movrand::test {
namespace {

constexpr int kFerrariPosition = 4;
const std::vector<std::string> kShared = {"fer9.mip", "fer10.mip", "a.mip", "b.mip"};

// Three accessories without a car of their own; each carries fer9.mip (a file of the game's car
// and of the demo's car) and two more of the files above, in bytes of its own.
std::string MakeAccessory(AddOnDrive& drive, int which) {
    const std::string name = std::string("Stack ") + char('X' + which);
    std::vector<std::pair<std::string, std::string>> files;
    for (std::size_t i = 0; i < kShared.size(); ++i)
        if (i == 0 || static_cast<int>(i) % 3 != which)
            files.emplace_back(kShared[i], name + " " + kShared[i]);
    drive.MakeOneEntry(name, "ferrari", name, "accessory", files, name + ".\r\n", true);
    return name;
}

// The files of the team folder that the accessories carry: the latest installed carrier's copy
// where one is installed, else what stood there before the first.
Files Expected(const Files& original, const std::vector<int>& installed) {
    Files expected;
    for (const std::string& file : kShared) {
        std::string bytes = original.count(file) ? original.at(file) : "";
        for (int which : installed) {
            const std::string name = std::string("Stack ") + char('X' + which);
            if (file == "fer9.mip" || static_cast<int>(&file - &kShared[0]) % 3 != which)
                bytes = name + " " + file;
        }
        if (!bytes.empty()) expected[file] = bytes;
    }
    return expected;
}

Files Carried(const Files& team) {
    Files carried;
    for (const std::string& file : kShared)
        if (team.count(file)) carried[file] = team.at(file);
    return carried;
}

// Installs and removes the three in random orders (an installed one may also be installed
// again): at every step each carried file is the latest installed carrier's, and once all are
// removed the team folder is byte for byte what it was before the first. Over the game's car
// and over a car the program installed, whose files the accessories overwrite alike.
TEST(AccessoryStack, AnyOrderOfInstallsAndRemovalsGivesEveryFileBack) {
    for (unsigned seed = 1; seed <= 24; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 random(seed);
        AddOnDrive drive;
        if (seed % 2 == 0) {
            ASSERT_EQ(drive.Install(kClassic, "Ferrari 312"), InstallOutcome::Installed);
        }
        std::vector<std::string> names;
        for (int which = 0; which < 3; ++which) names.push_back(MakeAccessory(drive, which));
        const Files original = drive.Snapshot(kFerrari);
        std::vector<int> installed;  // in order of installation
        auto step = [&](int which, bool install) {
            SCOPED_TRACE((install ? "install " : "remove ") + names[which]);
            std::erase(installed, which);
            if (install) {
                ASSERT_EQ(drive.Install("C:\\addons\\" + names[which], names[which]),
                          InstallOutcome::Installed)
                    << drive.Ui.Transcript();
                installed.push_back(which);
            } else {
                drive.Ui.Answers = {true};
                ASSERT_TRUE(
                    RemoveAddOnFiles(drive.Pv, drive.Ui, kFerrariPosition, names[which]).Removed)
                    << drive.Ui.Transcript();
            }
            ASSERT_EQ(Differences(Carried(drive.Snapshot(kFerrari)), Expected(original, installed)),
                      "");
        };
        for (int n = 0; n < 8; ++n) {
            const int which = static_cast<int>(random() % 3);
            const bool there = std::count(installed.begin(), installed.end(), which) > 0;
            step(which, !there || random() % 3 == 0);
        }
        std::shuffle(installed.begin(), installed.end(), random);
        for (const int which : std::vector<int>(installed)) step(which, false);
        EXPECT_EQ(Differences(drive.Snapshot(kFerrari), original), "");
        EXPECT_TRUE(drive.Ui.Traps.empty()) << drive.Ui.Transcript();
    }
}

}  // namespace
}  // namespace movrand::test
