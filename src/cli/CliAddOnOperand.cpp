// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliAddOnOperand.h"

#include "addons/AddOnFolder.h"
#include "archives/UnpackArchive.h"
#include "folders/AddOnArchive.h"

namespace movrand::cli {

AddOnOperand::AddOnOperand(Call& c) : c_(c) {
    const std::string path = c.PathOperand(0);
    const platform::FileSystem fs = c.pv.Files();
    if (fs.FileExists(path) && archives::IsAddOnArchive(c.pv.Env, path)) {
        const std::string programFolder = c.pv.Env.ProgramFolder();
        temporary_ =
            programFolder + (programFolder.ends_with('\\') ? "" : "\\") + "unpacking.movrand-temp";
        platform::FileSystem files = c.pv.Files();
        if (files.FolderExists(temporary_)) files.DeleteFolder(temporary_, true);  // a killed run's
        files.CreateFolder(temporary_);
        const AddOnArchiveResult unpacked = UnpackAddOnArchive(c.pv, c.ui, path, temporary_);
        folder_ = unpacked.AddOnFolder;
        if (!unpacked.Unpacked || folder_.empty()) folder_.clear();
        return;
    }
    if (IsAddOnFolder(c.pv, path)) {
        folder_ = path;
        return;
    }
    c.err << "movrand-cli: " << c.Operand(0)
          << " is not an add-on folder (it holds no zorvexcar.zorvex)\n";
}

AddOnOperand::~AddOnOperand() {
    if (temporary_.empty()) return;
    try {
        c_.pv.Files().DeleteFolder(temporary_, true);
    } catch (...) {
        c_.err << "movrand-cli: the temporary folder " << temporary_ << " could not be removed\n";
    }
}

CommandOutcome Unpack(Call& c) {
    const std::string into = c.request.Operands.size() > 1 ? c.PathOperand(1) : "";
    const AddOnArchiveResult result = UnpackAddOnArchive(c.pv, c.ui, c.PathOperand(0), into);
    if (!result.Unpacked) return CommandOutcome::Refused;
    c.out << (result.AddOnFolder.empty() ? result.Folder : result.AddOnFolder) << '\n';
    return CommandOutcome::Done;
}

}  // namespace movrand::cli
