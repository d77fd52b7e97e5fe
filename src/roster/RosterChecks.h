// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include "common/ProgramValues.h"

namespace movrand {

// Why a car number cannot be stored as it was given, or "" when it can: a number holding a line
// break, a control character or ";" would change other lines of the roster or be cut short; one
// that Windows-1252 cannot carry would be stored as something else; one with blanks at its
// ends, "*" or quotes would read back as another number.
std::string CarNumberProblem(const std::string& number);

// The first line (counted from 1) that begins a section header with "[" but never closes it, or 0.
std::size_t DamagedHeaderLine(std::string_view text);

// The message for a roster damaged at that line.
std::string DamagedRosterMessage(const std::string& rosterFile, std::size_t line);

// Why the roster's working copy cannot take a car number for driverNumber, or "" when it can:
// it holds no driver sections at all (not a roster), none for that driver (a write would add
// one), or a damaged header. The messages name driver.ini, the file the user knows.
std::string RosterProblem(ProgramValues& pv, int driverNumber);

}  // namespace movrand
