// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>

#include "addons/AddOnFolder.h"
#include "addons/AddOnPreview.h"
#include "addons/InstalledItems.h"
#include "cli/CliAddOnOperand.h"
#include "cli/CliCall.h"
#include "cli/ConsoleUi.h"
#include "folders/AddOnFolderPanel.h"
#include "roster/TeamTable.h"

namespace movrand::cli {

namespace {

// The position of an entry in the entry list, as the window would have it selected, or -1.
int EntryIndex(Call& c, const std::string& folder, const std::string& description) {
    const std::vector<AddOnEntry> entries = ListAddOnEntries(c.pv, c.ui, folder);
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (entries[i].Description == description) return static_cast<int>(i);
    c.err << "movrand-cli: " << c.Operand(0) << " has no entry \"" << description << "\"\n";
    return -1;
}

// The Remove mode team list position of a team name (display or folder name), or -1.
int TeamPosition(Call& c, const std::string& team) {
    const int number = TeamNumberOfFolder(team);
    const std::vector<Team>& listed = TeamsInListOrder();
    for (std::size_t position = 0; position < listed.size(); ++position)
        if (number >= 0 && listed[position].Number == number) return static_cast<int>(position);
    c.err << "movrand-cli: " << team
          << " is none of the game's teams (Brabham, BRM, Cooper, Eagle, Ferrari, Honda, Lotus)\n";
    return -1;
}

}  // namespace

CommandOutcome Entries(Call& c) {
    const AddOnOperand operand(c);
    const std::string& folder = operand.Folder();
    if (folder.empty()) return operand.Missing();
    for (const AddOnEntry& entry : ListAddOnEntries(c.pv, c.ui, folder))
        c.out << entry.Number << '\t' << entry.Description << '\t' << entry.Kind << '\n';
    return CommandOutcome::Done;
}

CommandOutcome Preview(Call& c) {
    const AddOnOperand operand(c);
    const std::string& folder = operand.Folder();
    if (folder.empty()) return operand.Missing();
    const int index = EntryIndex(c, folder, c.Operand(1));
    if (index < 0) return CommandOutcome::WrongUsage;
    const AddOnPreview preview =
        ShowAddOnFiles(c.pv, c.ui, folder, index, c.Operand(1), true, true, c.request.ExclGeneric);
    const bool picture = preview.PictureChanged && !preview.PicturePath.empty();
    std::string shown = picture ? preview.PicturePath : "none";
    // An archive's add-on folder is removed when the command ends: its picture is named by its
    // place in that folder and the archive.
    const std::string base = folder.ends_with('\\') ? folder : folder + '\\';
    if (picture && operand.FromArchive() && shown.starts_with(base))
        shown = shown.substr(base.size()) + " in " + c.PathOperand(0);
    c.out << "picture: " << shown << '\n'
          << "description: " << OneLine(preview.Description) << '\n';
    for (const std::string& model : preview.Models) c.out << "model: " << model << '\n';
    return CommandOutcome::Done;
}

CommandOutcome Install(Call& c) {
    const AddOnOperand operand(c);
    const std::string& folder = operand.Folder();
    if (folder.empty()) return operand.Missing();
    if (EntryIndex(c, folder, c.Operand(1)) < 0) return CommandOutcome::WrongUsage;
    // From an archive the add-on folder is a temporary one, gone once the command ends: nothing
    // installed may depend on it. An accessory's record names only its own backup folder in the
    // installation, and its files and pictures are copied, so it installs from there too.
    const AddFilesResult result = AddSelectedFiles(c.pv, c.ui, folder, c.Operand(1), false);
    if (result.Outcome == InstallOutcome::NoTeam)
        c.err
            << "movrand-cli: the add-on names none of the game's teams and none was chosen (--team NAME); nothing was installed\n";
    return result.Outcome == InstallOutcome::Installed ? CommandOutcome::Done
                                                       : CommandOutcome::Refused;
}

CommandOutcome Installed(Call& c) {
    const int position = TeamPosition(c, c.Operand(0));
    if (position < 0) return CommandOutcome::WrongUsage;
    for (const std::string& item : ListInstalledItems(c.pv, c.ui, position).Items)
        c.out << item << '\n';
    return CommandOutcome::Done;
}

CommandOutcome Remove(Call& c) {
    const int position = TeamPosition(c, c.Operand(0));
    if (position < 0) return CommandOutcome::WrongUsage;
    const std::vector<std::string> items = ListInstalledItems(c.pv, c.ui, position).Items;
    if (std::find(items.begin(), items.end(), c.Operand(1)) == items.end()) {
        c.err << "movrand-cli: " << c.Operand(0) << " has no installed item \"" << c.Operand(1)
              << "\"\n";
        return CommandOutcome::WrongUsage;
    }
    return RemoveAddOnFiles(c.pv, c.ui, position, c.Operand(1)).Removed ? CommandOutcome::Done
                                                                        : CommandOutcome::Refused;
}

}  // namespace movrand::cli
