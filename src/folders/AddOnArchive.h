// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "common/ProgramValues.h"
#include "platform/Ui.h"

namespace movrand {

// What came of unpacking an add-on archive.
struct AddOnArchiveResult {
    bool Unpacked = false;
    std::string Folder;       // the new folder
    std::string AddOnFolder;  // the add-on folder in it (itself or one of its subfolders), or ""
};

// The add-on folder a freshly unpacked folder holds: the folder itself when it holds the marker,
// else the first of its subfolders that does, else "".
std::string AddOnFolderIn(const ProgramValues& pv, const std::string& folder);

// Unpacks an archive into a new folder inside `intoFolder` (by default beside the archive). A
// refusal is shown in the message window, and so is an archive that holds nothing Movrand can
// install (it stays unpacked). A failing disk goes to the common error trap.
AddOnArchiveResult UnpackAddOnArchive(ProgramValues& pv, platform::Ui& ui,
                                      const std::string& archive,
                                      const std::string& intoFolder = "");

// After a download or a drop: asks whether to unpack the archive as an add-on folder, and on
// Yes unpacks it beside itself.
AddOnArchiveResult OfferToUnpack(ProgramValues& pv, platform::Ui& ui, const std::string& archive);

}  // namespace movrand
