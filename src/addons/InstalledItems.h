// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "common/ProgramValues.h"
#include "platform/Ui.h"

namespace movrand {

// One installed item as Remove mode shows it.
struct InstalledItemView {
    std::string Description;  // the description box's text
    std::string PicturePath;  // the picture to load; "" clears the picture
    // "(Picture Not Produced for this Version)" is shown when there is no picture (the window
    // shows it too when loading the picture fails).
    bool NoticeVisible = false;
};

// What Remove mode shows for the team chosen in its team list.
struct InstalledItemsView {
    int TeamPictureId = 0;           // bitmap of the chosen team; 0 clears the team picture
    std::string TeamFolder;          // "" when no team is chosen
    std::vector<std::string> Items;  // "Complete Car" first, then the accessories
    int SelectedIndex = -1;
    bool RemoveEnabled = false;  // the "Remove Files" button and the installed-items list
    InstalledItemView Shown;     // the selected item
};

// The team folder of a position of the Remove mode team list (Brabham, BRM, Cooper, Eagle,
// Ferrari, Honda, Lotus), or "" for any other position.
std::string TeamFolderOfPosition(const ProgramValues& pv, int teamPosition);

// Lists what the program installed in the team's folder: "Complete Car" when the folder holds
// the car description, then one item per accessory record, in the listing order. The first item
// is selected and shown.
InstalledItemsView ListInstalledItems(ProgramValues& pv, platform::Ui& ui, int teamPosition);

// The description and picture of an installed item ("Complete Car" or an accessory's name).
InstalledItemView ShowInstalledItem(ProgramValues& pv, platform::Ui& ui, int teamPosition,
                                    const std::string& item);

struct RemovalResult {
    bool Removed = false;     // the item is out and the success message was shown
    InstalledItemsView List;  // the refreshed list, when Removed
};

// Asks, then removes the item: for the car every file of the team folder but the team's .dat;
// for an accessory its files, putting back the game files it replaced, then its record,
// description and pictures. The refreshed list goes to `showList` before the success message,
// so the window behind the message no longer shows the removed item.
RemovalResult RemoveAddOnFiles(ProgramValues& pv, platform::Ui& ui, int teamPosition,
                               const std::string& item,
                               const std::function<void(const InstalledItemsView&)>& showList = {});

}  // namespace movrand
