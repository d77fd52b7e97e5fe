// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "common/ProgramValues.h"
#include "platform/Ui.h"

namespace movrand {

// Every INI read of the program: the value before an inline comment, without trailing blanks,
// tabs and "*" ("Not Found!" when missing). A "*" inside a value reads back as a blank.
std::string ReadIniValue(ProgramValues& pv, platform::Ui& ui, const std::string& section,
                         const std::string& key, const std::string& file);

// The cleaning ReadIniValue applies to a raw value.
std::string CleanIniValue(const std::string& raw);

// The only INI write of the program: sets a key in a section written "[ name ]" in the game's
// form. Reports "Unable to write to File!" or the error under its own trap. Returns true when
// the value was written, so a caller can stop a change that is only half made.
bool WriteIniValue(ProgramValues& pv, platform::Ui& ui, const std::string& section,
                   const std::string& key, const std::string& value, const std::string& file);

// The bytes of a text file with every blank removed from its section headers, each line ended
// by CR LF.
std::string StripIniHeadersOf(const std::string& bytes);
// Copies a text file line by line, removing every blank from the section headers. On failure the
// destination is removed, so no stale or partial copy is left behind. Returns true when copied.
bool StripIniHeaders(ProgramValues& pv, platform::Ui& ui, const std::string& source,
                     const std::string& destination);

// Writes the working copy back over driver.ini with one blank inside each bracket of every
// header; driver.ini is replaced in one step, so it is always either the old or the new roster.
// Returns true when saved.
bool SaveDriverIni(ProgramValues& pv, platform::Ui& ui);

}  // namespace movrand
