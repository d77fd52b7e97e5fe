// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/Functions.h"

#include "platform/ErrorTrap.h"
#include "platform/WindowsPath.h"

namespace movrand {

std::string FolderOfPath(const std::string& path) {
    const std::size_t last = path.rfind('\\');
    return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

std::string SelectFile(ProgramValues& pv, platform::Ui& ui, const std::string& path,
                       const std::string& pattern, const std::string& caption) {
    std::string chosen;
    platform::RunTrapped(ui, platform::TrapForm::Information, pv.ProgramName,
                         [&] { chosen = ui.SelectFile(path, pattern, caption); });
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
