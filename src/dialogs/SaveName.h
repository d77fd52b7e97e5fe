// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

namespace movrand::dialogs {

// The file name a name typed into the file picker's save field gives: trimmed, with `suffix`
// (".carset") added when it does not end so in any letter case; "" for a blank name.
std::string SaveFileName(const std::string& typed, const std::string& suffix);

// Why Windows cannot hold `name` as one file's name, naming it; "" when it can (no \/:*?"<>|,
// no control character, no trailing blank or dot, no device name such as CON or com1.txt).
std::string SaveNameRefusal(const std::string& name);

}  // namespace movrand::dialogs
