// SPDX-License-Identifier: GPL-3.0-or-later
#include "addons/AddOnNames.h"

#include "platform/Text.h"

namespace movrand {

std::string AccessoryRecordName(const std::string& entry) {
    return kAccessoryRecordPrefix + entry + kRecordExtension;
}

std::string AccessoryDescriptionName(const std::string& entry) {
    return "zorvexdesc_" + entry + ".zorvex";
}

std::string AccessoryBmpName(const std::string& entry) {
    return "zorvexbmp_" + entry + ".bmp";
}

std::string AccessoryJpgName(const std::string& entry) {
    return "zorvexjpg_" + entry + ".jpg";
}

std::string AccessoryOfRecord(const std::string& fileName) {
    const std::string prefix = kAccessoryRecordPrefix;
    if (fileName.compare(0, prefix.size(), prefix) != 0) return "";
    std::string entry = fileName.substr(prefix.size());
    const std::string extension = kRecordExtension;
    if (entry.size() >= extension.size() &&
        platform::EqualsNoCase(entry.substr(entry.size() - extension.size()), extension))
        entry.erase(entry.size() - extension.size());
    return entry;
}

bool IsProgramFileName(const std::string& name) {
    const std::string lower = platform::LowerCase(name);
    for (const char* own :
         {kCarDescriptionFile, kCarBmpFile, kCarJpgFile, kTeamDataKeeper, kRecordTemporary})
        if (lower == own) return true;
    for (const char* prefix : {kAccessoryRecordPrefix, "zorvexdesc_", "zorvexbmp_", "zorvexjpg_"})
        if (lower.rfind(prefix, 0) == 0) return true;
    return false;
}

bool IsEntryPicture(const std::string& name) {
    return platform::EqualsNoCase(name, kEntryBmp) || platform::EqualsNoCase(name, kEntryJpg);
}

std::string TeamFolderPath(const ProgramValues& pv, const std::string& folder) {
    return pv.GPLPath + "cars\\cars67\\" + folder;
}

std::string InstallerTeam(const std::string& team) {
    const std::string lower = platform::LowerCase(team);
    if (lower == "cooper") return "coventry";
    if (lower == "honda") return "murasama";
    for (const char* folder :
         {"brabham", "brm", "coventry", "eagle", "ferrari", "lotus", "murasama"})
        if (lower == folder) return lower;
    return "";
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    return folder + "\\" + name;
}

}  // namespace movrand
