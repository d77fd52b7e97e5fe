// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "common/ProgramValues.h"
#include "platform/Ui.h"
#include "wine/FileSystem.h"

namespace movrand {

enum class InstallationCheck {
    Valid,
    Invalid,           // string 132
    TechnicalFailure,  // string 131: the car folder could not be opened
};

// Tests a folder as a GPL installation, stopping at the first test that fails: gpl.exe,
// driver.ini, gpl_ai.ini, tracks, cars\cars67, and exactly seven team folders in cars\cars67
// (lower-cased names). A drive root such as C:\ is tested like any other folder.
InstallationCheck CheckGPLInstallation(const platform::FileSystem& fs, const std::string& folder);

// The message the program shows for a folder that did not pass, or "" for a valid one.
std::string InstallationCheckMessage(InstallationCheck check);

// The "Save" button of the "GPL Directory" page: tests the folder, asks, and on Yes makes it the
// installation in use (GPLPath, DriverIniFile, DriverWorkFile and the stored "DriverIniFile").
// All or nothing: the new working copy is prepared first, and the program-wide values and the
// stored setting change only when every step succeeded, so the working copy always holds the
// roster of the installation in use. A folder that lies inside a Wine prefix (reached through the
// drive of "/") is taken as that prefix's own folder, and the run moves to that prefix; the
// installation's lock is taken before its roster is read. True only when the switch was
// completed.
bool ChangeGPLInstallation(ProgramValues& pv, platform::Ui& ui, const std::string& folder);

}  // namespace movrand
