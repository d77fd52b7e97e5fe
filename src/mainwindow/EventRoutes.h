// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace movrand::mainwindow {

// Every operation an event of the main window can start. The window runs the one a route
// names; None means the event does nothing.
enum class Operation {
    None,
    // command buttons
    SwapCarFolder,         // cmd(0) "Save", "Car Folders"
    AddSelectedFiles,      // cmd(1) "Add Files"
    UpdateWebsiteAddress,  // cmd(2) "Update URL"
    EnterRemoveMode,       // cmd(3) "Remove Mode..."
    RemoveAddOnFiles,      // cmd(4) "Remove Files"
    EnterAddMode,          // cmd(5) "Add Mode..."
    AssignCarNumber,       // cmd(6) "Save Car Number", then the add-on panel's refresh
    SaveGplDirectory,      // cmd(7) "Save", "GPL Directory"
    // tabs
    RestoreAddModeLayout,  // "Cars / Accessories": SetDescriptionView(false)
    ConnectToInternet,     // "Find Add-Ons"
    // folder lists
    ShowAddOnFolder,  // dir(0) change and click
    // tick boxes
    ShowDeleteWarning,     // chk(0)
    FillLinkCategories,    // chk(1)
    RefreshAddOnFileList,  // chk(2)
    // drop-down lists
    ShowLinkCategory,     // cbo(0), only once connected
    ShowAddOnFiles,       // cbo(1)
    ShowInstalledItem,    // cbo(2)
    ListInstalledItems,   // cbo(3)
    ShowDriver,           // cbo(4)
    EnableSaveCarNumber,  // cbo(5), unless the window is filling it
    // labels and pictures
    ShowAboutBox,  // lbl(4), lbl(5)
    OpenWebsite,   // lbl(17)
    OpenHelp,      // pic(0), pic(1)
};

Operation RouteButton(int index);
Operation RouteTab(int tab);
Operation RouteFolderList(int index);  // change and click alike
Operation RouteTickBox(int index);
Operation RouteDropDownClick(int index);
Operation RouteLabelClick(int index);
Operation RoutePictureClick(int index);

// The text box whose double-click switches the description view (txt(2)), and the one whose
// typed keys pass the folder-name filter (txt(0)).
inline constexpr int kDescriptionBox = 2;
inline constexpr int kFolderNameBox = 0;

}  // namespace movrand::mainwindow
