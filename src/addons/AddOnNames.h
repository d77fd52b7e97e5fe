// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "common/ProgramValues.h"

namespace movrand {

// Files of an add-on folder, as add-on authors write them.
inline constexpr const char* kMarkerFile = "zorvexcar.zorvex";
inline constexpr const char* kEntryBmp = "zorvex.bmp";
inline constexpr const char* kEntryJpg = "zorvex.jpg";

// Files the installer leaves in a team folder beside the game's own.
inline constexpr const char* kCarDescriptionFile = "zorvexcardesc.zorvex";
inline constexpr const char* kCarBmpFile = "zorvexcarbmp.bmp";
inline constexpr const char* kCarJpgFile = "zorvexcarjpg.jpg";
inline constexpr const char* kAccessoryRecordPrefix = "zorvexacc_";
inline constexpr const char* kRecordExtension = ".zorvex";
inline constexpr const char* kNoCarDescription = "DO NOT DELETE OR MOVE THIS FOLDER";
// The name an accessory record is written under before it is put in place.
inline constexpr const char* kRecordTemporary = "~movrand-record.tmp";
// The team's own .dat, kept while an installed car has put its own in its place.
inline constexpr const char* kTeamDataKeeper = "zorvexcardat.dat";

// The item of the Remove mode list that stands for the installed car.
inline constexpr const char* kCompleteCar = "Complete Car";

// Parents of the backup folders, below GPLPath.
inline constexpr const char* kReplacedCars = "cars\\replacedcars\\";
inline constexpr const char* kReplacedAccessories = "cars\\replacedaccessories\\";

std::string AccessoryRecordName(const std::string& entry);
std::string AccessoryDescriptionName(const std::string& entry);
std::string AccessoryBmpName(const std::string& entry);
std::string AccessoryJpgName(const std::string& entry);

// The accessory an accessory record's file name stands for ("zorvexacc_" + entry + ".zorvex"),
// or "" when it is no record's name. The prefix counts only in exactly this letter case.
std::string AccessoryOfRecord(const std::string& fileName);

// True when a file of this name (any letter case) would be taken for one of the program's own
// records, descriptions or pictures in a team folder.
bool IsProgramFileName(const std::string& name);

// True for "zorvex.bmp" and "zorvex.jpg" in any letter case: an entry's own pictures, which are
// never installed under these names.
bool IsEntryPicture(const std::string& name);

// GPLPath + "cars\cars67\" + folder (no trailing "\").
std::string TeamFolderPath(const ProgramValues& pv, const std::string& folder);

// The team folder name the installer works with: lower-cased, cooper read as coventry and honda
// as murasama; "" for anything that is not one of the game's seven teams.
std::string InstallerTeam(const std::string& team);

// folder + "\" + name.
std::string JoinPath(const std::string& folder, const std::string& name);

}  // namespace movrand
