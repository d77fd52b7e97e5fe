// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

#include "addons/AddOnPreview.h"
#include "addons/InstallAddOnFiles.h"
#include "addons/InstalledItems.h"
#include "common/ProgramValues.h"
#include "platform/Ui.h"

namespace movrand {

// The blank team panel shown for an add-on whose team is none of the game's.
inline constexpr int kBlankTeamPanel = 104;

// What the Add mode panel shows for the folder of dir::kAddOnFolder.
struct AddOnFolderView {
    bool IsAddOnFolder = false;   // the folder holds "zorvexcar.zorvex"; else the panel is empty
    int TeamPictureId = 0;        // img::kAddOnTeam: the team's picture, 104, or 0 (cleared)
    bool TeamTooltipSet = false;  // img::kAddOnTeam takes TeamTooltip (a known team only)
    std::string TeamTooltip;
    std::vector<std::string> Entries;  // cbo::kAddOnFiles, in entry order, duplicates kept
    int SelectedEntry = -1;            // cbo::kAddOnFiles's selection; its preview is in Preview
    AddOnPreview Preview;
    std::vector<std::string> TeamDrivers;  // lst::kTeamDrivers
};

// Inspects an add-on folder: its team's picture, its entries with the first selected and
// previewed, and the team's drivers. excludeGeneric is the state of "Excl. Generic".
AddOnFolderView ShowAddOnFolder(ProgramValues& pv, platform::Ui& ui, const std::string& folder,
                                bool excludeGeneric);

struct AddFilesResult {
    InstallOutcome Outcome = InstallOutcome::Failed;
    bool PanelRefreshed = false;  // Panel holds the refreshed Add mode panel
    AddOnFolderView Panel;
};

// "Add Files": installs the entry selected in cbo::kAddOnFiles (its description as listed) with the
// inputs the marker gives, under the hourglass, then refreshes the panel.
AddFilesResult AddSelectedFiles(ProgramValues& pv, platform::Ui& ui, const std::string& folder,
                                const std::string& selectedDescription, bool excludeGeneric);

// The position in the Remove mode team list cbo::kTeams (Brabham, BRM, Cooper, Eagle, Ferrari,
// Honda, Lotus) of the team an add-on folder's marker names; 0 (Brabham) for a folder without a
// marker or a team that is none of the game's.
int RemoveModeTeamPosition(ProgramValues& pv, platform::Ui& ui, const std::string& folder);

struct RemoveModeView {
    int TeamPosition = 0;          // cbo::kTeams's selection
    InstalledItemsView Installed;  // what ListInstalledItems shows for it
};

// "Remove Mode...": selects the add-on folder's team and lists what is installed for it.
RemoveModeView EnterRemoveMode(ProgramValues& pv, platform::Ui& ui, const std::string& folder);

}  // namespace movrand
