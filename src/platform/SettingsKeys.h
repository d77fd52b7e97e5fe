// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The names under which both programs keep their settings, shared with earlier versions of the
// program: the application, its two sections and the keys of each.
namespace movrand::platform {

inline constexpr const char* kSettingsApp = "Zorvex";

// The program's own values.
inline constexpr const char* kMovrandSection = "Movrand";
inline constexpr const char* kDriverIniFileKey = "DriverIniFile";  // the installation in use
inline constexpr const char* kWinePrefixKey = "WinePrefix";        // the prefix it lies in
// The main window's pages.
inline constexpr const char* kAddOnsOnlyKey = "AddOnsOnly";
inline constexpr const char* kCarManagerDirectoryKey = "CarManagerDirectory";
inline constexpr const char* kCarFolderKey = "CarFolder";
inline constexpr const char* kAddOnCarFolderKey = "AddOnCarFolder";
// The folder lists of the file picker and the GPL Directory page show dot-folders: "1" or "0".
inline constexpr const char* kShowHiddenFoldersKey = "ShowHiddenFolders";

// The maker's website.
inline constexpr const char* kZorvexSection = "Zorvex";
inline constexpr const char* kZorvexURLKey = "ZorvexURL";

}  // namespace movrand::platform
