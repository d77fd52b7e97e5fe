// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "cli/CliCommandTable.h"

namespace movrand::cli {

// The interface of movrand-cli, as --help prints it and as scripts rely on it: the global
// options, then each command of the table with its help lines.
const std::string& UsageText();

// A command's entry in the manual page's COMMANDS section: .TP, its synopsis, its paragraph.
std::string ManualEntry(const CliCommand& command);

}  // namespace movrand::cli
