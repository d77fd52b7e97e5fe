// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "platform/Ui.h"
#include "wine/Environment.h"

namespace movrand::archives {

struct UnpackResult {
    bool Unpacked = false;
    std::string Folder;   // the new folder (Windows notation), when unpacked
    std::string Refusal;  // why nothing was unpacked, naming the archive and the entry
};

// Unpacks an add-on archive into a new folder named after it ("ferrari.zip" gives "ferrari",
// or "ferrari (2)" when that name is taken) inside `intoFolder`, by default the archive's own
// folder. When every entry lies in one top folder, that folder's content is the new folder's.
// Every header is checked before anything is written; the content is written into a temporary
// folder beside it and renamed into place when whole, so no half folder ever carries the name.
// An archive that cannot be carried safely is refused with nothing written. A failing disk
// raises RuntimeError, again with nothing left behind. Long work is told to `ui` file by file.
UnpackResult UnpackArchive(const platform::Environment& env, platform::Ui& ui,
                           const std::string& archive, const std::string& intoFolder = "");

// True when the file is an archive of a kind the program unpacks.
bool IsAddOnArchive(const platform::Environment& env, const std::string& path);

// The name of the folder an archive is unpacked into, before " (2)" and the like.
std::string FolderNameOf(const std::string& archiveFileName);

}  // namespace movrand::archives
