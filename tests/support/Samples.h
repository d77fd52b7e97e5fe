// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Folders beyond the demo's: a second installation to switch to, and add-on folders that
// install over a car the program put in.
#include <filesystem>
#include <string>

#include "DemoAddOns.h"
#include "DemoInstallation.h"

namespace movrand::test {

// A second GPL installation at `folder` whose roster differs from the demo's in one name: its
// first driver is "Jock" Brabham.
inline void MakeOtherInstallation(const std::filesystem::path& folder) {
    demo::MakeGplInstallation(folder);
    std::string roster = demo::SampleRoster();
    roster.replace(roster.find("first_name = Jack"), 17, "first_name = Jock");
    demo::WriteFile(folder / "driver.ini", roster);
}

// C:\addons\Team Liveries: an accessory without a car of its own that overwrites two files of
// the game's Ferrari and adds one.
inline void MakeLiveries(const std::filesystem::path& driveC) {
    demo::MakeAddOnFolder(driveC / "addons" / "Team Liveries",
                          {"ferrari",
                           {{"Blue Livery",
                             "accessory",
                             {{"fer9.mip", "blue texture of car 9\r\n"},
                              {"livery.tex", "blue livery\r\n"},
                              {"fer10.mip", "blue texture of car 10\r\n"}},
                             "Blue for the Ferrari.\r\n",
                             true,
                             true}}});
}

// C:\addons\Ferrari 1968: a second complete car for the Ferrari, to go over the first one.
inline void MakeSecondCar(const std::filesystem::path& driveC) {
    demo::MakeAddOnFolder(driveC / "addons" / "Ferrari 1968",
                          {"ferrari",
                           {{"Ferrari 312B",
                             "car",
                             {{"fer9.3do", "312B model\r\n"}, {"fer9.mip", "312B texture\r\n"}},
                             "The 1968 car.\r\n",
                             true,
                             false}}});
}

}  // namespace movrand::test
