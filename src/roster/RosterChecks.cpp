// SPDX-License-Identifier: GPL-3.0-or-later
#include "roster/RosterChecks.h"

#include "platform/Text.h"
#include "roster/IniFunctions.h"
#include "roster/RosterFile.h"
#include "wine/Profile.h"

namespace movrand {

namespace {

// The profile read's buffer leaves room for 249 characters.
constexpr std::size_t kLongestValue = 249;

bool IsControl(const std::string& utf8) {
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x20 || c == 0x7F) return true;
        // U+0080 to U+009F, among them the five bytes Windows-1252 leaves undefined.
        if (c == 0xC2 && i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) < 0xA0)
            return true;
    }
    return false;
}

// The number as the profile read and ReadIniValue give it back once stored.
std::string ReadBack(const std::string& number) {
    std::string value = platform::Trim(number, true);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    std::string ansi = platform::AnsiFromUtf8(value);
    if (ansi.size() > kLongestValue) ansi.resize(kLongestValue);
    return CleanIniValue(platform::Utf8FromAnsi(ansi));
}

}  // namespace

std::string CarNumberProblem(const std::string& number) {
    if (IsControl(number) || number.find(';') != std::string::npos)
        return "This car number cannot be saved: a car number may not hold line breaks, "
               "control characters or \";\".";
    if (platform::Utf8FromAnsi(platform::AnsiFromUtf8(number)) != number)
        return "Car Number " + number +
               " cannot be saved: driver.ini can only hold the characters of Windows-1252.";
    const std::string back = ReadBack(number);
    if (back != number)
        return "Car Number \"" + number +
               "\" cannot be saved: driver.ini would give it back as \"" + back + "\".";
    return "";
}

std::size_t DamagedHeaderLine(std::string_view text) {
    std::size_t line = 1;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view content = text.substr(start, end - start);
        if (!content.empty() && content[0] == '[' && content.find(']') == std::string_view::npos)
            return line;
        ++line;
        start = end + 1;
    }
    return 0;
}

std::string DamagedRosterMessage(const std::string& rosterFile, std::size_t line) {
    return rosterFile + " is damaged: line " + std::to_string(line) +
           " begins a section header with \"[\" but has no closing \"]\". Nothing has been "
           "changed.";
}

std::string RosterProblem(ProgramValues& pv, int driverNumber) {
    platform::FileSystem fs = pv.Files();
    if (const std::size_t line = DamagedHeaderLine(fs.ReadAllBytes(pv.DriverWorkFile)))
        return DamagedRosterMessage(pv.DriverIniFile, line);
    platform::ProfileReadScope scope;
    if (platform::ProfileSectionExists(fs, DriverSection(driverNumber), pv.DriverWorkFile))
        return "";
    for (int n = 1; n <= kRosterDrivers; ++n)
        if (platform::ProfileSectionExists(fs, DriverSection(n), pv.DriverWorkFile))
            return pv.DriverIniFile + " has no section for driver " + std::to_string(driverNumber) +
                   ", so no car numbers have been changed.";
    return pv.DriverIniFile + " holds no driver sections, so no car numbers have been changed.";
}

}  // namespace movrand
