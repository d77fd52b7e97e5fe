// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <filesystem>
#include <string>

namespace movrand::demo {

// The game's roster in its own form: "[ driver_N ]" headers, 19 drivers, a few keys the program
// does not know, comments and tabs, CR LF line ends.
std::string SampleRoster();

// Builds a GPL installation under `gplFolder`: gpl.exe (a placeholder), gpl_ai.ini, tracks\,
// driver.ini and cars\cars67\ with the seven team folders (Lotus and Honda's in capitals), each
// with <team>.dat and car files named after the drivers' car numbers.
void MakeGplInstallation(const std::filesystem::path& gplFolder);

// A complete Wine-style prefix under `prefix`: dosdevices\c: -> drive_c, z: -> /, the GPL
// installation in drive_c\sierra\gpl and the demo add-on folders in drive_c\addons.
void MakeDemoPrefix(const std::filesystem::path& prefix);

// Writes bytes to a file, creating its folder.
void WriteFile(const std::filesystem::path& file, const std::string& bytes);

}  // namespace movrand::demo
