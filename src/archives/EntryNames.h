// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <locale.h>

#include <cstddef>
#include <string>
#include <vector>

namespace movrand::archives {

// Why an entry's name cannot be written into the new folder, or None.
enum class NameProblem {
    None,
    LeavesFolder,    // "..", an absolute path, a drive letter
    NotWindowsName,  // a character, ending or reserved name Windows cannot hold
    BadEncoding,     // bytes that are not UTF-8
    TooLong          // a name over 255 characters, or a path too long for any new folder
};

// The most characters (as Windows counts them, in UTF-16) of a path below the new folder that
// Windows programs can still open by path, and of one name in it.
inline constexpr std::size_t kMostPathCharacters = 259;
inline constexpr std::size_t kMostNameCharacters = 255;

// Splits an entry's name (UTF-8, "/" or "\" between its parts) into the names of the folders
// and the file it makes, leaving out empty and "." parts. `parts` is empty for a name that
// names nothing. Takes time in proportion to the name's length, however deep the path: a path
// longer than one below a top folder can be is refused before its parts are checked.
NameProblem SplitEntryName(const std::string& name, std::vector<std::string>& parts);

// The characters Windows counts in the path `parts` (from `first` on) joined by "\".
std::size_t WindowsPathLength(const std::vector<std::string>& parts, std::size_t first = 0);

// True when Windows can hold this one name (no <>:"|?*, control characters, trailing blank or
// dot, reserved device names such as CON, com1.txt or "CON .txt", at most 255 bytes).
bool IsWindowsName(const std::string& part);

// The name as a person can read it: bytes that are not UTF-8, and control characters, as \xNN.
std::string EscapedName(const std::string& name);

// The key under which two names that differ only in letter case meet. `utf8` is a UTF-8 locale
// (for letters beyond ASCII).
std::string FoldedCase(const std::string& text, locale_t utf8);

}  // namespace movrand::archives
