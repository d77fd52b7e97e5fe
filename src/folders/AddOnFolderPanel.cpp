// SPDX-License-Identifier: GPL-3.0-or-later
#include "folders/AddOnFolderPanel.h"

#include "addons/AddOnFolder.h"
#include "addons/AddOnNames.h"
#include "common/GameRunning.h"
#include "platform/ErrorTrap.h"
#include "roster/DriverList.h"
#include "roster/DriverMatching.h"
#include "roster/TeamTable.h"

namespace movrand {

AddOnFolderView ShowAddOnFolder(ProgramValues& pv, platform::Ui& ui, const std::string& folder,
                                bool excludeGeneric) {
    AddOnFolderView view;
    platform::RunTrapped(ui, platform::TrapForm::Common, pv.ProgramName, [&] {
        if (!IsAddOnFolder(pv, folder)) return;
        view.IsAddOnFolder = true;

        const std::string team = AddOnTeam(pv, ui, folder);
        const int teamNumber = TeamNumberOfFolder(team);
        if (teamNumber >= 0) {
            const BadgeView badge = ShowTeamBadge(pv, ui, teamNumber, "", false);
            view.TeamPictureId = badge.PictureId;
            view.TeamTooltipSet = true;
            view.TeamTooltip = badge.Tooltip;
        } else {
            view.TeamPictureId = kBlankTeamPanel;
        }

        for (const AddOnEntry& entry : ListAddOnEntries(pv, ui, folder))
            view.Entries.push_back(entry.Description);
        if (!view.Entries.empty()) {
            // Selecting the first entry shows its preview; the model list was just emptied.
            view.SelectedEntry = 0;
            view.Preview =
                ShowAddOnFiles(pv, ui, folder, 0, view.Entries[0], true, true, excludeGeneric);
        }

        view.TeamDrivers = ShowTeamDrivers(pv, ui, team, TeamFolderPath(pv, team));
    });
    return view;
}

AddFilesResult AddSelectedFiles(ProgramValues& pv, platform::Ui& ui, const std::string& folder,
                                const std::string& selectedDescription, bool excludeGeneric) {
    AddFilesResult result;
    if (!MayChangeWhileGameRuns(pv, ui)) {
        result.Outcome = InstallOutcome::Refused;
        return result;
    }
    ui.SetBusy(true);
    platform::RunTrapped(ui, platform::TrapForm::Common, pv.ProgramName, [&] {
        const std::string team = AddOnTeam(pv, ui, folder);
        const std::string kind = EntryKind(pv, ui, folder, selectedDescription);
        const std::string standardFolder = StandardFolderOf(pv, ui, folder);
        result.Outcome = InstallAddOnFiles(pv, ui, kind == "accessory", team,
                                           JoinPath(folder, selectedDescription),
                                           selectedDescription, standardFolder, folder);
        result.Panel = ShowAddOnFolder(pv, ui, folder, excludeGeneric);
        result.PanelRefreshed = true;
    });
    ui.SetBusy(false);
    return result;
}

int RemoveModeTeamPosition(ProgramValues& pv, platform::Ui& ui, const std::string& folder) {
    const int number = TeamNumberOfFolder(AddOnTeam(pv, ui, folder));
    const std::vector<Team>& listed = TeamsInListOrder();
    for (std::size_t position = 0; position < listed.size(); ++position)
        if (listed[position].Number == number) return static_cast<int>(position);
    return 0;
}

RemoveModeView EnterRemoveMode(ProgramValues& pv, platform::Ui& ui, const std::string& folder) {
    RemoveModeView view;
    platform::RunTrapped(ui, platform::TrapForm::Common, pv.ProgramName, [&] {
        view.TeamPosition = RemoveModeTeamPosition(pv, ui, folder);
        view.Installed = ListInstalledItems(pv, ui, view.TeamPosition);
    });
    return view;
}

}  // namespace movrand
