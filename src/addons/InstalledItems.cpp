// SPDX-License-Identifier: GPL-3.0-or-later
#include "addons/InstalledItems.h"

#include <algorithm>

#include "addons/AccessoryRemoval.h"
#include "addons/AddOnFolder.h"
#include "addons/AddOnNames.h"
#include "common/GameRunning.h"
#include "history/HistoryStep.h"
#include "platform/ErrorTrap.h"
#include "platform/Text.h"
#include "resources/StringTable.h"
#include "roster/TeamTable.h"

namespace movrand {

namespace {

using platform::RunTrapped;
using platform::TrapForm;
using resources::LoadResString;

// Size of the removal question (twips).
constexpr int kQuestionWidth = 4300;
constexpr int kQuestionHeight = 1700;

const Team* TeamOfPosition(int teamPosition) {
    const std::vector<Team>& teams = TeamsInListOrder();
    if (teamPosition < 0 || teamPosition >= static_cast<int>(teams.size())) return nullptr;
    return &teams[static_cast<std::size_t>(teamPosition)];
}

// Names the files a removal left in the team folder because they had changed since.
std::string LeftAloneMessage(const std::string& teamFolder, const std::vector<std::string>& names) {
    std::string list;
    for (const std::string& name : names)
        list += (list.empty() ? "\"" : ", \"") + teamFolder + "\\" + name + "\"";
    return "These files have been left in place, because they no longer hold what the accessory "
           "installed: " +
           list + ".";
}

}  // namespace

std::string TeamFolderOfPosition(const ProgramValues& pv, int teamPosition) {
    const Team* team = TeamOfPosition(teamPosition);
    return team ? TeamFolderPath(pv, team->Folder) : "";
}

InstalledItemsView ListInstalledItems(ProgramValues& pv, platform::Ui& ui, int teamPosition) {
    InstalledItemsView view;
    const Team* team = TeamOfPosition(teamPosition);
    if (!team) return view;
    view.TeamPictureId = team->PictureId;
    view.TeamFolder = TeamFolderPath(pv, team->Folder);
    RunTrapped(ui, TrapForm::Common, pv.ProgramName, [&] {
        platform::FileSystem fs = pv.Files();
        std::vector<std::string> items;
        if (fs.FileExists(JoinPath(view.TeamFolder, kCarDescriptionFile)))
            items.push_back(kCompleteCar);
        for (const std::string& name : fs.FileNames(view.TeamFolder)) {
            const std::string entry = AccessoryOfRecord(name);
            if (!entry.empty()) items.push_back(entry);
        }
        view.Items = std::move(items);
    });
    if (!view.Items.empty()) {
        view.SelectedIndex = 0;
        view.Shown = ShowInstalledItem(pv, ui, teamPosition, view.Items.front());
        view.RemoveEnabled = true;
    }
    return view;
}

InstalledItemView ShowInstalledItem(ProgramValues& pv, platform::Ui& ui, int teamPosition,
                                    const std::string& item) {
    InstalledItemView view;
    const std::string teamFolder = TeamFolderOfPosition(pv, teamPosition);
    if (teamFolder.empty()) return view;
    RunTrapped(ui, TrapForm::Information, pv.ProgramName, [&] {
        platform::FileSystem fs = pv.Files();
        const bool car = item == kCompleteCar;
        const std::string description = car ? kCarDescriptionFile : AccessoryDescriptionName(item);
        const std::string bmp = JoinPath(teamFolder, car ? kCarBmpFile : AccessoryBmpName(item));
        const std::string jpg = JoinPath(teamFolder, car ? kCarJpgFile : AccessoryJpgName(item));
        if (fs.FileExists(bmp))
            view.PicturePath = bmp;
        else if (fs.FileExists(jpg))
            view.PicturePath = jpg;
        view.NoticeVisible = view.PicturePath.empty();
        const std::string descriptionFile = JoinPath(teamFolder, description);
        if (fs.FileExists(descriptionFile)) view.Description = DescriptionText(fs, descriptionFile);
    });
    return view;
}

RemovalResult RemoveAddOnFiles(ProgramValues& pv, platform::Ui& ui, int teamPosition,
                               const std::string& item,
                               const std::function<void(const InstalledItemsView&)>& showList) {
    RemovalResult result;
    const Team* team = TeamOfPosition(teamPosition);
    if (!team || item.empty()) return result;
    const bool car = item == kCompleteCar;
    std::vector<std::string> leftAlone;
    RunTrapped(ui, TrapForm::Common, pv.ProgramName, [&] {
        platform::Question question;
        question.Message = LoadResString(car ? resources::kRemoveCarQuestion
                                             : resources::kRemoveAccessoryQuestion);
        question.MyWidth = kQuestionWidth;
        question.MyHeight = kQuestionHeight;
        question.YesTooltip =
            LoadResString(car ? resources::kRemoveCarYesTip : resources::kRemoveAccessoryYesTip);
        question.NoTooltip =
            LoadResString(car ? resources::kRemoveCarNoTip : resources::kRemoveAccessoryNoTip);
        ui.SetBusy(false);
        if (!ui.AskYesNo(question) || !MayChangeWhileGameRuns(pv, ui)) return;

        history::HistoryStep step(pv,
                                  "Removed " + (car ? std::string("the complete car") : item) +
                                      " from " + team->DisplayName,
                                  &ui);
        platform::FileSystem fs = pv.Files();
        const std::string teamFolder = TeamFolderPath(pv, team->Folder);
        if (car) {
            const std::string dataFile = team->Folder + ".dat";
            // A car that brought its own .dat gives the team's back.
            const std::string keeper = JoinPath(teamFolder, kTeamDataKeeper);
            if (fs.FileExists(keeper)) {
                const std::string data = JoinPath(teamFolder, dataFile);
                if (fs.FileExists(data) && fs.IsReadOnly(data)) fs.SetReadOnly(data, false);
                fs.CopyFile(keeper, data);
            }
            // The car description goes last: a removal that stops half-way leaves the car
            // listed, so it can be run again to its end.
            std::vector<std::string> names = fs.FileNames(teamFolder);
            std::erase_if(names, [&](const std::string& name) {
                return platform::EqualsNoCase(name, dataFile);
            });
            std::stable_partition(names.begin(), names.end(), [](const std::string& name) {
                return !platform::EqualsNoCase(name, kCarDescriptionFile);
            });
            for (const std::string& name : names) fs.DeleteFile(JoinPath(teamFolder, name), true);
        } else {
            const AccessoryTakeOut takeOut = TakeOutAccessory(pv, ui, fs, teamFolder, item);
            if (!takeOut.Refusal.empty()) {
                ui.ShowMessage("The accessory cannot be removed: its record " + takeOut.Refusal +
                               ". Nothing has been removed.");
                return;
            }
            leftAlone = takeOut.LeftAlone;
        }
        // The removal is on the disk before it is reported.
        fs.SyncTouched();
        step.Commit();
        result.List = ListInstalledItems(pv, ui, teamPosition);
        if (showList) showList(result.List);
        ui.ShowMessage(LoadResString(car ? resources::kCarRemoved : resources::kAccessoryRemoved));
        if (!leftAlone.empty()) ui.ShowMessage(LeftAloneMessage(teamFolder, leftAlone));
        result.Removed = true;
    });
    return result;
}

}  // namespace movrand
