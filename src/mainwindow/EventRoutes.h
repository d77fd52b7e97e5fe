// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mainwindow/MainWindowControls.h"

namespace movrand::mainwindow {

// Every operation an event of the main window can start. The window runs the one a route
// names; None means the event does nothing.
enum class Operation {
    None,
    // command buttons
    SwapCarFolder,           // cmd::kSaveCarFolder
    AddSelectedFiles,        // cmd::kAddFiles
    UpdateWebsiteAddress,    // cmd::kUpdateUrl
    EnterRemoveMode,         // cmd::kRemoveMode
    RemoveAddOnFiles,        // cmd::kRemoveFiles
    EnterAddMode,            // cmd::kAddMode
    AssignCarNumber,         // cmd::kSaveCarNumber, then the add-on panel's refresh
    SaveGplDirectory,        // cmd::kSaveGplDirectory
    StartGpl,                // cmd::kStartGpl
    UndoLast,                // cmd::kUndoLast
    RestoreToHere,           // cmd::kRestoreToHere
    CheckForChanges,         // cmd::kCheckForChanges
    NameStep,                // cmd::kNameStep
    ForgetOlderSteps,        // cmd::kForgetOlderSteps
    ChangeHistoryLimit,      // cmd::kHistoryLimit
    RepairHistory,           // cmd::kRepairHistory
    CloseUnfinishedRestore,  // cmd::kCloseRestore
    ExportCarSet,            // cmd::kExportCarSet
    CompareCarSet,           // cmd::kCompareCarSet
    MakeCarSetLive,          // cmd::kMakeCarSetLive
    // tabs
    RestoreAddModeLayout,  // "Cars / Accessories": SetDescriptionView(false)
    ConnectToInternet,     // "Find Add-Ons"
    ShowHistory,           // "History": the steps as they are now
    ShowCarSetCodes,       // "Car Folders": the codes of the live and the chosen folder
    // folder lists
    ShowAddOnFolder,  // dir::kAddOnFolder change and click
    // tick boxes
    ShowDeleteWarning,     // chk::kDeleteCurrentCarFolder
    FillLinkCategories,    // chk::kAddOnsOnly
    RefreshAddOnFileList,  // chk::kExcludeGeneric
    ShowHiddenFolders,     // chk::kShowHiddenFolders
    // drop-down lists
    ShowLinkCategory,     // cbo::kLinkCategories, only once connected
    ShowAddOnFiles,       // cbo::kAddOnFiles
    ShowInstalledItem,    // cbo::kInstalledAddOns
    ListInstalledItems,   // cbo::kTeams
    ShowDriver,           // cbo::kDrivers
    EnableSaveCarNumber,  // cbo::kCarNumbers, unless the window is filling it
    // labels and pictures
    ShowAboutBox,  // lbl::kMovrand and its shade
    OpenWebsite,   // lbl::kZorvex
    OpenHelp,      // either help picture
};

Operation RouteButton(int index);
Operation RouteTab(int index);
Operation RouteFolderList(int index);  // change and click alike
Operation RouteTickBox(int index);
Operation RouteDropDownClick(int index);
Operation RouteLabelClick(int index);
Operation RoutePictureClick(int index);

}  // namespace movrand::mainwindow
