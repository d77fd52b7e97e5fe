// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "TempDrive.h"

namespace movrand::test {

// A key whose value is kAbsent is left out; a driver whose First is kAbsent has no section.
struct RosterDriver {
    std::string First, Last, Nationality, Team, CarNumber;
};

inline const std::string kAbsent = "(absent)";

// The game's form: "[ driver_N ]" headers, a comment and an unknown key, CR LF line ends.
inline std::string RosterText(const std::vector<RosterDriver>& drivers) {
    std::string text = "; test roster\r\n";
    for (std::size_t i = 0; i < drivers.size(); ++i) {
        const RosterDriver& d = drivers[i];
        if (d.First == kAbsent) continue;
        text += "[ driver_" + std::to_string(i + 1) + " ]\r\n";
        const std::pair<const char*, std::string> keys[] = {{"first_name", d.First},
                                                            {"last_name", d.Last},
                                                            {"nationality", d.Nationality},
                                                            {"team_number", d.Team},
                                                            {"car_number", d.CarNumber}};
        for (const auto& [name, value] : keys)
            if (value != kAbsent) text += std::string(name) + " = " + value + "\r\n";
        text += "skill = 90 ; kept as it is\r\n\r\n";
    }
    return text;
}

// Puts the roster into driver.ini and makes its working copy; `fill` fills it up to 19 drivers.
inline void UseRoster(TempDrive& drive, std::vector<RosterDriver> drivers,
                      std::optional<RosterDriver> fill = std::nullopt) {
    if (fill) drivers.resize(19, *fill);
    drive.Write(drive.Pv.DriverIniFile, RosterText(drivers));
    drive.MakeWorkingCopy();
}

}  // namespace movrand::test
