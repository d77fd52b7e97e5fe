// SPDX-License-Identifier: GPL-3.0-or-later
#include "addons/SafeNames.h"

#include <cctype>
#include <set>

#include "platform/Text.h"

namespace movrand {

bool IsPlainName(const std::string& name) {
    if (name.empty() || name == "." || name == "..") return false;
    return name.find_first_of("\\/:") == std::string::npos;
}

namespace {
// The longest value an INI read gives back whole.
constexpr std::size_t kLongestReadBack = 249;

bool IsRecordKeyForm(const std::string& name) {
    const std::string lower = platform::LowerCase(name);
    if (lower.size() <= 4 || lower.compare(0, 4, "file") != 0) return false;
    for (std::size_t i = 4; i < lower.size(); ++i)
        if (!std::isdigit(static_cast<unsigned char>(lower[i]))) return false;
    return true;
}
}  // namespace

bool ValueSurvivesRecord(const std::string& value) {
    if (value.find_first_of(";*") != std::string::npos) return false;
    for (char c : value)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
    if (!value.empty() && (value.front() == ' ' || value.back() == ' ')) return false;
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return false;
    const std::string ansi = platform::AnsiFromUtf8(value);
    return ansi.size() <= kLongestReadBack && platform::Utf8FromAnsi(ansi) == value;
}

bool RecordCanCarry(const std::string& name) {
    if (name.empty() || name.find('=') != std::string::npos || name.front() == '[') return false;
    return !IsRecordKeyForm(name) && ValueSurvivesRecord(name);
}

std::string FirstCaseDuplicate(const std::vector<std::string>& names) {
    std::set<std::string> seen;
    for (const std::string& name : names)
        if (!seen.insert(platform::LowerCase(name)).second) return name;
    return "";
}

}  // namespace movrand
