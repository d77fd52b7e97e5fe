// SPDX-License-Identifier: GPL-3.0-or-later
#include "folders/AddOnArchive.h"

#include "addons/AddOnFolder.h"
#include "archives/UnpackArchive.h"
#include "platform/ErrorTrap.h"

namespace movrand {

namespace {

// The message window made large enough for a message that names an archive and an entry.
constexpr int kMessageWidth = 6600;
constexpr int kMessageHeight = 2600;

std::string FileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::string AddOnFolderIn(const ProgramValues& pv, const std::string& folder) {
    if (IsAddOnFolder(pv, folder)) return folder;
    for (const std::string& name : pv.Files().FolderNames(folder))
        if (IsAddOnFolder(pv, folder + "\\" + name)) return folder + "\\" + name;
    return "";
}

AddOnArchiveResult UnpackAddOnArchive(ProgramValues& pv, platform::Ui& ui,
                                      const std::string& archive, const std::string& intoFolder) {
    AddOnArchiveResult result;
    platform::RunTrapped(ui, platform::TrapForm::Common, pv.ProgramName, [&] {
        const bool wasBusy = ui.IsBusy();
        ui.SetBusy(true);
        archives::UnpackResult unpacked;
        try {
            unpacked = archives::UnpackArchive(pv.Env, ui, archive, intoFolder);
        } catch (...) {
            ui.SetBusy(wasBusy);
            throw;
        }
        ui.SetBusy(wasBusy);
        if (!unpacked.Unpacked) {
            ui.ShowMessage(unpacked.Refusal, kMessageWidth, kMessageHeight);
            return;
        }
        result.Unpacked = true;
        result.Folder = unpacked.Folder;
        result.AddOnFolder = AddOnFolderIn(pv, unpacked.Folder);
        if (result.AddOnFolder.empty())
            ui.ShowMessage("The archive \"" + FileNameOf(archive) + "\" was unpacked into \"" +
                               unpacked.Folder +
                               "\", but it holds nothing Movrand can install (no add-on folder "
                               "with a zorvexcar.zorvex file).",
                           kMessageWidth, kMessageHeight);
    });
    return result;
}

AddOnArchiveResult OfferToUnpack(ProgramValues& pv, platform::Ui& ui, const std::string& archive) {
    platform::Question question;
    question.Message =
        "Unpack the archive \"" + FileNameOf(archive) + "\" into an add-on folder beside it?";
    question.MyWidth = 6000;
    question.MyHeight = 1800;
    question.YesTooltip = " Unpack it and show its entries in Add mode ";
    question.NoTooltip = " Leave the archive as it is ";
    if (!ui.AskYesNo(question)) return {};
    return UnpackAddOnArchive(pv, ui, archive);
}

}  // namespace movrand
