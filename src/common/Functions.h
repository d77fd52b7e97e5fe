// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "common/ProgramValues.h"
#include "platform/Ui.h"

namespace movrand {

// A path as the user typed it, in the program's notation: Windows notation ("C:\sierra\gpl",
// "c:/sierra/gpl") stays as it is; a native path (absolute, or relative to the current folder)
// is mapped through the drive table, where Z: always reaches "/".
std::string WindowsNotation(const platform::FileSystem& fs, const std::string& path);

// The part of a path up to and including its last "\"; "" when it has none.
std::string FolderOfPath(const std::string& path);

// Opens the file picker with the start folder, pattern and caption; the chosen file's full path,
// or "" when the user cancelled. A start folder on a drive that is not ready gives way to the
// user's home folder, else to the first ready drive.
std::string SelectFile(ProgramValues& pv, platform::Ui& ui, const std::string& path,
                       const std::string& pattern, const std::string& caption);

// Sets AppPath to the program's own folder in Windows notation, ending with "\", creating the
// folder when it is missing.
void InitAppPath(ProgramValues& pv);

}  // namespace movrand
