// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "common/ProgramValues.h"
#include "platform/Ui.h"

namespace movrand::dialogs {

// The registry root the About box reads: the local machine.
inline constexpr std::uint32_t HKEY_LOCAL_MACHINE = 0x80000002u;

// Reads the string value `SubKeyRef` of the key `KeyName` under `KeyRoot` into `KeyVal`. True
// when it was read; otherwise `KeyVal` is emptied. The local-machine root is the machine registry
// of the Wine prefix `winePrefix`; other roots, values that are no text and texts that do not fit
// in 1024 bytes are not read.
bool GetKeyValue(const std::filesystem::path& winePrefix, std::uint32_t KeyRoot,
                 const std::string& KeyName, const std::string& SubKeyRef, std::string& KeyVal);

// Starts a Windows program by its path; false when it could not be started.
using ProgramStarter = std::function<bool(const std::string& windowsPath)>;

// "&System Info...": starts the system information tool that the machine registry names (its
// own path, or the folder that holds MSINFO32.EXE); where none is found or none can be started,
// the platform message box says "System Information Is Unavailable At This Time".
void StartSysInfo(ProgramValues& pv, platform::Ui& ui, const ProgramStarter& start);
// The same, starting the tool through Wine in the run's prefix.
void StartSysInfo(ProgramValues& pv, platform::Ui& ui);

}  // namespace movrand::dialogs
