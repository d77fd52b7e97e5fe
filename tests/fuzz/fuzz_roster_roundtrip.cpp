// SPDX-License-Identifier: GPL-3.0-or-later
// driver.ini through the working copy and back: every line comes back byte for byte but the
// blanks inside a header's brackets; a roster that cannot be saved leaves driver.ini as it was.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "FuzzDrive.h"
#include "roster/IniFunctions.h"

using namespace movrand;

namespace {
std::vector<std::string> Lines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::istringstream in(bytes);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ProgramValues& pv = fuzz::FuzzValues();
    fuzz::SilentUi ui;
    platform::FileSystem fs = pv.Files();
    const std::string roster(reinterpret_cast<const char*>(data), size);
    fuzz::WriteNative(fs.Native(pv.DriverIniFile), roster);
    if (!StripIniHeaders(pv, ui, pv.DriverIniFile, pv.DriverWorkFile)) std::abort();
    const bool saved = SaveDriverIni(pv, ui);
    const std::string after = fuzz::ReadNative(fs.Native(pv.DriverIniFile));
    if (!saved) {
        if (after != roster) std::abort();
        return 0;
    }
    const std::vector<std::string> before = Lines(roster);
    const std::vector<std::string> now = Lines(after);
    if (before.size() != now.size()) std::abort();
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (before[i].empty() || before[i][0] != '[') {
            if (before[i] != now[i]) std::abort();
            continue;
        }
        // "[ " + the name without its blanks + " ]" + what followed the closing bracket.
        const std::string tail = before[i].substr(before[i].rfind(']') + 1);
        if (now[i].compare(0, 2, "[ ") != 0 || now[i].size() < tail.size() + 4 ||
            now[i].compare(now[i].size() - tail.size() - 2, std::string::npos, " ]" + tail) != 0)
            std::abort();
    }
    return 0;
}
