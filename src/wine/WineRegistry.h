// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <filesystem>
#include <optional>
#include <string>

namespace movrand::platform {

// A string value of the local-machine root as Wine keeps it: the text file system.reg in the
// Wine prefix, whose sections are the key paths ("[Software\\Microsoft\\Shared Tools\\MSINFO]",
// backslashes doubled) followed by their values ("PATH"="C:\\...").
struct RegistryString {
    bool IsString = false;  // a text value ("..." or str(2):"..."), as opposed to numbers or bytes
    std::string Text;       // UTF-8; empty for values that are no text
};

// Looks up `valueName` (an empty name is the key's default value) under `keyName` (relative to
// the local-machine root, single backslashes) in the registry file. Key and value names match
// without regard to letter case. Nothing is found when the file is missing, unreadable or
// damaged where the key or the value would stand.
std::optional<RegistryString> ReadMachineValue(const std::filesystem::path& systemReg,
                                               const std::string& keyName,
                                               const std::string& valueName);

// The Wine prefix of this run ($WINEPREFIX, else ~/.wine) and its machine registry file.
std::filesystem::path WinePrefixFromEnvironment();
std::filesystem::path MachineRegistryFile(const std::filesystem::path& winePrefix);

}  // namespace movrand::platform
