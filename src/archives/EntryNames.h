// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <locale.h>

#include <string>
#include <vector>

namespace movrand::archives {

// Why an entry's name cannot be written into the new folder, or None.
enum class NameProblem {
    None,
    LeavesFolder,   // "..", an absolute path, a drive letter
    NotWindowsName  // a character, ending or reserved name Windows cannot hold, or bad UTF-8
};

// Splits an entry's name (UTF-8, "/" or "\" between its parts) into the names of the folders
// and the file it makes, leaving out empty and "." parts. `parts` is empty for a name that
// names nothing.
NameProblem SplitEntryName(const std::string& name, std::vector<std::string>& parts);

// True when Windows can hold this one name (no <>:"|?*, control characters, trailing blank or
// dot, reserved device names such as CON or com1.txt).
bool IsWindowsName(const std::string& part);

// The key under which two names that differ only in letter case meet. `utf8` is a UTF-8 locale
// (for letters beyond ASCII).
std::string FoldedCase(const std::string& text, locale_t utf8);

}  // namespace movrand::archives
