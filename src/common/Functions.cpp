// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/Functions.h"

#include "platform/ErrorTrap.h"
#include "platform/RuntimeError.h"
#include "wine/WindowsPath.h"

namespace movrand {

std::string FolderOfPath(const std::string& path) {
    const std::size_t last = path.rfind('\\');
    return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

namespace {

// The folder the picker opens in: `path`, or where its drive is not ready (a Wine prefix that
// does not exist has no C:), the user's home folder, else the root of the first ready drive.
std::string StartFolder(const ProgramValues& pv, const std::string& path) {
    const char letter = platform::WindowsPath::Parse(path).DriveLetter;
    const platform::FileSystem fs = pv.Files();
    if (letter == 0 || fs.DriveReady(letter)) return path;
    try {
        std::string home = pv.Env.Home.empty() ? std::string() : fs.WindowsOf(pv.Env.Home);
        if (!home.empty() && fs.FolderExists(home)) return home.back() == '\\' ? home : home + '\\';
    } catch (const platform::RuntimeError&) {
        // A home folder no drive reaches: a drive's root below.
    }
    for (const platform::Drive& drive : fs.Drives())
        if (fs.DriveReady(drive.Letter)) return std::string(1, drive.Letter) + ":\\";
    return path;
}

}  // namespace

std::string SelectFile(ProgramValues& pv, platform::Ui& ui, const std::string& path,
                       const std::string& pattern, const std::string& caption) {
    std::string chosen;
    platform::RunTrapped(ui, platform::TrapForm::Information, pv.ProgramName,
                         [&] { chosen = ui.SelectFile(StartFolder(pv, path), pattern, caption); });
    return chosen;
}

void InitAppPath(ProgramValues& pv) {
    std::string path = pv.Env.ProgramFolder();
    if (path.empty() || path.back() != '\\') path += '\\';
    pv.AppPath = path;
}

std::string WindowsNotation(const platform::FileSystem& fs, const std::string& path) {
    if (platform::WindowsPath::Parse(path).DriveLetter != 0) return path;
    return fs.WindowsOf(path);
}

}  // namespace movrand
