// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <string_view>

namespace movrand::platform {

// Letter case and blanks as the platform's file names and profile files treat them.
std::string LowerCase(std::string_view text);
std::string UpperCase(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);
// Orders names case-insensitively (the one fixed listing order).
bool LessNoCase(std::string_view a, std::string_view b);
// Removes blanks (and, with tabs, tab characters) at both ends.
std::string Trim(std::string_view text, bool tabsToo = false);

// Windows-1252 <-> UTF-8. The five bytes Windows-1252 leaves undefined map to the control
// characters of the same number, so every byte survives a round trip.
std::string Utf8FromAnsi(std::string_view ansi);
std::string AnsiFromUtf8(std::string_view utf8);
// Appends one code point (up to U+10FFFF) in UTF-8.
void AppendUtf8(std::string& out, char32_t codePoint);

// Case-insensitive match of a file name against a pattern with "*" and "?" wildcards;
// "*.*" matches every name, as the platform's file lists do.
bool MatchesPattern(std::string_view name, std::string_view pattern);

}  // namespace movrand::platform
