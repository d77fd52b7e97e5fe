// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <filesystem>
#include <map>
#include <string>

namespace movrand::test {

// The bytes of a file; throws when it cannot be read.
std::string ReadFile(const std::filesystem::path& file);

// Every file under a folder by its path relative to the folder, with its bytes; empty when the
// folder does not exist. Two equal trees are two copies of one folder. Lock files are left out.
std::map<std::string, std::string> TreeOf(const std::filesystem::path& folder);

// The names of the files that differ between two states of a folder, by name to bytes: "+name"
// added, "~name" changed, "-name" gone; "" when none do.
std::string Differences(const std::map<std::string, std::string>& now,
                        const std::map<std::string, std::string>& expected);

// The files with the numbers of backup folders taken out of the program's accessory records: a
// record names its backup folder, whose number depends on the runs before.
std::map<std::string, std::string> WithoutBackupNumbers(std::map<std::string, std::string> files);

}  // namespace movrand::test
