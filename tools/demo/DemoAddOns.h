// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace movrand::demo {

// One entry of an add-on folder as an add-on author ships it.
struct DemoEntry {
    std::string Description;  // the marker's "file" + N + "desc" and the entry folder's name
    std::string Kind;         // "car", "accessory"; "" writes no kind key
    std::vector<std::pair<std::string, std::string>> Files;  // name and bytes, in the entry folder
    std::string DescriptionText;  // text of the description file; "" writes none
    bool Bmp = false;             // a "zorvex.bmp" picture in the entry folder
    bool Jpg = false;             // a "zorvex.jpg" picture in the entry folder
};

struct DemoAddOn {
    std::string Team;  // the marker's team value; "" lets the user choose
    std::vector<DemoEntry> Entries;
};

// Writes an add-on folder: the marker "zorvexcar.zorvex" ([header] team, [files] the entries'
// descriptions, kinds and key N = "zorvex" + team + N), the description files
// "zorvex" + team + N + ".zorvex", and one entry folder per entry with its files and pictures.
// For an add-on without a team, the description files are written under every game team's
// name as well, because the installer names them after the team the user chooses.
void MakeAddOnFolder(const std::filesystem::path& folder, const DemoAddOn& addOn);

// The marker text MakeAddOnFolder writes (CR LF lines).
std::string MarkerText(const DemoAddOn& addOn);

// Small valid pictures of one colour: a 24-bit BMP and a baseline JPEG (sizes multiples of 8).
std::string SolidBmp(int width, int height, int red, int green, int blue);
std::string SolidJpeg(int width, int height, int red, int green, int blue);

// The demo's add-on folders under `addons`:
//   "Ferrari 312 Classic" (team ferrari): car "Ferrari 312" with both pictures and two
//   accessories, "Red Wheels" (replaces fer9.mip of the car, JPEG picture) and "Chrome Mirrors"
//   (BMP picture);
//   "Universal Helmets" (no team): the accessory "Helmet Pack".
void MakeDemoAddOns(const std::filesystem::path& addons);

}  // namespace movrand::demo
