// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "AddOnFixture.h"
#include "addons/InstalledItems.h"

namespace movrand::test {
namespace {

const std::vector<std::string> kCarried = {"fer9.mip", "fer10.mip", "a.mip", "b.mip"};

// Accessory X, Y or Z carries fer9.mip (a file of the game's car and of the demo's car) and two
// more of the files above: file i unless i % 3 is its number.
bool Carries(int which, std::size_t file) {
    return file == 0 || static_cast<int>(file % 3) != which;
}

std::string Name(int which) {
    return std::string("Stack ") + char('X' + which);
}

// The carried files of the team folder: the latest installed carrier's copy, else the original.
Files Expected(const Files& original, const std::vector<int>& installed) {
    Files expected;
    for (std::size_t file = 0; file < kCarried.size(); ++file) {
        const std::string& name = kCarried[file];
        if (original.count(name)) expected[name] = original.at(name);
        for (const int which : installed)
            if (Carries(which, file)) expected[name] = Name(which) + " " + name;
    }
    return expected;
}

// Installs and removes the three in random orders (an installed one may be installed again):
// after every step each carried file is the latest installed carrier's, and once all are removed
// the team folder is byte for byte what it was. Over the game's car and over the program's car.
TEST(AccessoryStack, AnyOrderOfInstallsAndRemovalsGivesEveryFileBack) {
    for (unsigned seed = 1; seed <= 16; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 random(seed);
        AddOnDrive drive;
        if (seed % 2 == 0) {
            ASSERT_EQ(drive.Install(kClassic, "Ferrari 312"), InstallOutcome::Installed);
        }
        for (int which = 0; which < 3; ++which) {
            std::vector<std::pair<std::string, std::string>> files;
            for (std::size_t file = 0; file < kCarried.size(); ++file)
                if (Carries(which, file))
                    files.emplace_back(kCarried[file], Name(which) + " " + kCarried[file]);
            drive.MakeOneEntry(Name(which), "ferrari", Name(which), "accessory", files, ".", true);
        }
        const Files original = drive.Snapshot(kFerrari);
        std::vector<int> installed;  // in order of installation
        auto step = [&](int which, bool install) {
            SCOPED_TRACE((install ? "install " : "remove ") + Name(which));
            std::erase(installed, which);
            drive.Ui.Answers = {true};
            if (install) {
                ASSERT_EQ(drive.Install("C:\\addons\\" + Name(which), Name(which)),
                          InstallOutcome::Installed);
                installed.push_back(which);
            } else {
                ASSERT_TRUE(RemoveAddOnFiles(drive.Pv, drive.Ui, 4, Name(which)).Removed);
            }
            Files carried = drive.Snapshot(kFerrari);
            std::erase_if(carried, [](const auto& file) {
                return std::find(kCarried.begin(), kCarried.end(), file.first) == kCarried.end();
            });
            EXPECT_EQ(Differences(carried, Expected(original, installed)), "");
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
