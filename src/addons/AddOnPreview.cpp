// SPDX-License-Identifier: GPL-3.0-or-later
#include "addons/AddOnPreview.h"

#include "addons/AddOnFolder.h"
#include "addons/AddOnNames.h"
#include "addons/SafeNames.h"
#include "platform/ErrorTrap.h"
#include "platform/Text.h"
#include "roster/TeamTable.h"

namespace movrand {

namespace {

bool Letter(char c) {
    return c >= 'a' && c <= 'z';
}
bool Digit(char c) {
    return c >= '0' && c <= '9';
}

// Three letters a to z, the digits, then "a" (the forms of the drivers' own models).
bool DriverModel(const std::string& name, std::size_t digits) {
    for (std::size_t i = 0; i < 3; ++i)
        if (!Letter(name[i])) return false;
    for (std::size_t i = 3; i < 3 + digits; ++i)
        if (!Digit(name[i])) return false;
    return name[3 + digits] == 'a';
}

// The team prefix and the digits.
bool TeamModel(const std::string& name, const std::string& prefix, std::size_t digits) {
    if (prefix.size() != 3 || name.compare(0, 3, prefix) != 0) return false;
    for (std::size_t i = 3; i < 3 + digits; ++i)
        if (!Digit(name[i])) return false;
    return true;
}

// The team folder and prefix the model list is built from. Cooper and Honda add-ons name their
// teams, whose game folders are coventry and murasama.
void ModelSource(const std::string& team, std::string& folder, std::string& prefix) {
    folder = team;
    prefix = team.substr(0, 3);
    if (team == "cooper" || team == "honda") {
        const Team* known = TeamByNumber(TeamNumberOfFolder(team));
        folder = known->Folder;
        prefix = known->Prefix;
    }
}

}  // namespace

bool IsListedModel(const std::string& name, const std::string& teamPrefix, bool excludeGeneric) {
    const std::string extension = ".3do";
    if (name.size() < extension.size() || name.compare(name.size() - 4, 4, extension) != 0)
        return false;
    switch (name.size()) {
        case 8:
            return !excludeGeneric && TeamModel(name, teamPrefix, 1);
        case 9:
            if (excludeGeneric) return DriverModel(name, 1);
            return name.compare(0, teamPrefix.size(), teamPrefix) == 0
                       ? TeamModel(name, teamPrefix, 2)
                       : DriverModel(name, 1);
        case 10:
            return DriverModel(name, 2);
        default:
            return false;
    }
}

AddOnPreview ShowAddOnFiles(ProgramValues& pv, platform::Ui& ui, const std::string& addOnFolder,
                            int entryIndex, const std::string& entryDescription,
                            bool refreshDescription, bool refreshModels, bool excludeGeneric) {
    AddOnPreview view;
    view.DescriptionRefreshed = refreshDescription;
    view.ModelsRefreshed = refreshModels;
    platform::RunTrapped(ui, platform::TrapForm::Information, pv.ProgramName, [&] {
        platform::FileSystem fs = pv.Files();
        if (!fs.FileExists(MarkerPath(addOnFolder))) return;
        const std::string team = AddOnTeam(pv, ui, addOnFolder);
        std::string folder;
        std::string prefix;
        ModelSource(team, folder, prefix);
        const std::string teamFolder = TeamFolderPath(pv, folder);

        // Names that would lead outside the add-on folder are not looked at.
        view.PictureChanged = true;
        if (IsPlainName(entryDescription)) {
            const std::string entryFolder = JoinPath(addOnFolder, entryDescription);
            if (fs.FileExists(JoinPath(entryFolder, kEntryBmp)))
                view.PicturePath = JoinPath(entryFolder, kEntryBmp);
            else if (fs.FileExists(JoinPath(entryFolder, kEntryJpg)))
                view.PicturePath = JoinPath(entryFolder, kEntryJpg);
        }
        view.NoticeVisible = view.PicturePath.empty();
        const std::string descriptionFile = DescriptionFileOf(pv, ui, addOnFolder, entryIndex + 1);

        if (refreshDescription && !descriptionFile.empty() && fs.FileExists(descriptionFile))
            view.Description = DescriptionText(fs, descriptionFile);
        if (refreshModels && (folder.empty() || IsPlainName(folder))) {
            for (const std::string& name : fs.FileNames(teamFolder)) {
                const std::string lower = platform::LowerCase(name);
                if (!IsListedModel(lower, prefix, excludeGeneric)) continue;
                view.Models.push_back(lower);
                view.ModelList += lower + "\r\n";
            }
        }
    });
    return view;
}

}  // namespace movrand
