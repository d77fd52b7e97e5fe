// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

namespace movrand {

// The roster addresses exactly the drivers 1 to 19.
inline constexpr int kRosterDrivers = 19;

// The roster section of a driver: "driver_" and the number without leading zeros.
inline std::string DriverSection(int driverNumber) {
    return "driver_" + std::to_string(driverNumber);
}

}  // namespace movrand
