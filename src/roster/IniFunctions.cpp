// SPDX-License-Identifier: GPL-3.0-or-later
#include "roster/IniFunctions.h"

#include <algorithm>

#include "history/HistoryStep.h"
#include "platform/ErrorTrap.h"
#include "platform/Text.h"
#include "roster/RosterChecks.h"
#include "roster/clsIniFile.h"
#include "wine/LinkTarget.h"

namespace movrand {

using platform::RunTrapped;
using platform::TrapForm;

std::string CleanIniValue(const std::string& raw) {
    if (raw.empty()) return "";
    std::string value = raw;
    // An inline comment; a ";" in the first place is part of the value.
    const std::size_t comment = value.find(';');
    if (comment != std::string::npos && comment >= 1)
        value = platform::Trim(value.substr(0, comment));
    value = platform::Trim(value);
    std::replace(value.begin(), value.end(), ' ', '*');
    while (!value.empty() && (value.back() == '\t' || value.back() == '*')) {
        value.pop_back();
        value = platform::Trim(value);
    }
    std::replace(value.begin(), value.end(), '*', ' ');
    return platform::Trim(value);
}

std::string ReadIniValue(ProgramValues& pv, platform::Ui& ui, const std::string& section,
                         const std::string& key, const std::string& file) {
    platform::FileSystem fs = pv.Files();
    const std::string value = CleanIniValue(clsIniFile(fs).ReadIniFile(section, key, file));
    ui.DoEvents();
    return value;
}

bool WriteIniValue(ProgramValues& pv, platform::Ui& ui, const std::string& section,
                   const std::string& key, const std::string& value, const std::string& file) {
    bool written = false;
    RunTrapped(ui, TrapForm::Information, pv.ProgramName, [&] {
        platform::FileSystem fs = pv.Files();
        written = clsIniFile(fs).WriteIniFile(" " + section + " ", key, value, file);
        if (!written)
            ui.ShowPlatformMessage("Unable to write to File!", platform::MessageIcon::None,
                                   pv.ProgramName);
    });
    return written;
}

namespace {
// Where the closing bracket of a header line stands (the last "]" on the line), or npos when the
// line is no header or a header that is never closed.
std::size_t HeaderEnd(const std::string& line) {
    if (line.empty() || line[0] != '[') return std::string::npos;
    return line.rfind(']');
}

// Removes a file if it is there, ignoring any failure (used only to clean up after an error).
void RemoveQuietly(platform::FileSystem& fs, const std::string& path) {
    try {
        if (fs.FileExists(path)) fs.DeleteFile(path, true);
    } catch (...) {
    }
}
}  // namespace

std::string StripIniHeadersOf(const std::string& bytes) {
    // Cut into lines as the text stream does: at each LF, one CR before it dropped; a last line
    // without a break still counts.
    std::string copy;
    copy.reserve(bytes.size() + bytes.size() / 16);
    for (std::size_t start = 0; start < bytes.size();) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        start = end + 1;
        // Only the name between the brackets loses its blanks; what follows the closing
        // bracket (a comment, a tab) stays as it is.
        const std::size_t close = HeaderEnd(line);
        if (close != std::string::npos)
            line.erase(std::remove(line.begin() + 1, line.begin() + static_cast<long>(close), ' '),
                       line.begin() + static_cast<long>(close));
        copy += line;
        copy += "\r\n";
    }
    return copy;
}

bool StripIniHeaders(ProgramValues& pv, platform::Ui& ui, const std::string& source,
                     const std::string& destination) {
    platform::FileSystem fs = pv.Files();
    const bool done = RunTrapped(ui, TrapForm::Information, pv.ProgramName, [&] {
        const std::string copy = StripIniHeadersOf(fs.ReadAllBytes(source));
        // A working copy from an earlier start usually holds these very bytes already; leaving it
        // alone spares a start-up the replacing of a file, which the file system makes wait for
        // the disk.
        if (fs.FileExists(destination) && fs.ReadAllBytes(destination) == copy) return;
        fs.WriteWholeFile(destination, copy);
    });
    // An old working copy must not outlive a failed copy: it could later be written back over
    // another roster.
    if (!done) RemoveQuietly(fs, destination);
    return done;
}

bool SaveDriverIni(ProgramValues& pv, platform::Ui& ui) {
    history::HistoryStep step(pv, "Roster saved", &ui);
    platform::FileSystem fs = pv.Files();
    if (!fs.Available()) {
        ui.ShowPlatformMessage("Unable to save changes!", platform::MessageIcon::Information,
                               pv.ProgramName);
        return false;
    }
    std::size_t damagedLine = 0;
    const bool saved = RunTrapped(ui, TrapForm::Information, pv.ProgramName, [&] {
        std::string roster;
        {
            platform::TextReader in = fs.OpenTextFile(pv.DriverWorkFile);
            for (std::size_t number = 1; !in.AtEndOfStream(); ++number) {
                std::string line = in.ReadLine();
                ui.DoEvents();
                if (!line.empty() && line[0] == '[') {
                    // One blank inside each bracket; what follows the closing bracket stays.
                    const std::size_t close = HeaderEnd(line);
                    if (close == std::string::npos) {
                        damagedLine = number;
                        return;
                    }
                    line = "[ " + line.substr(1, close - 1) + " ]" + line.substr(close + 1);
                }
                ui.DoEvents();
                roster += line;
                roster += "\r\n";
            }
        }
        // The roster is written beside driver.ini and renamed over it in one step; a link to
        // driver.ini stays a link and its target receives the roster.
        fs.WriteWholeFile(platform::LinkTarget(fs, pv.DriverIniFile), roster);
    });
    if (damagedLine == 0) return saved;
    ui.ShowMessage(DamagedRosterMessage(pv.DriverIniFile, damagedLine));
    return false;
}

}  // namespace movrand
