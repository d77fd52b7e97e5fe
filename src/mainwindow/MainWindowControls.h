// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's controls by name. The window holds each kind of control as one indexed
// array, and a control's object name is its kind and index (cmd(6)); here each index gets the
// name of what the control is, one namespace per kind: cmd(cmd::kSaveCarNumber) is the button
// "Save Car Number", whose object name stays "cmd(6)". The kinds sit in an inline namespace of
// their own, so other code (the tests) can take just them with one using-directive.
#pragma once

namespace movrand::mainwindow {
inline namespace controls {

// The tab control (the only one) and its tabs, in their order.
namespace tabMovrand {
inline constexpr int kPages = 0;
}
namespace tab {
inline constexpr int kCarsAccessories = 0;
inline constexpr int kCarFolders = 1;
inline constexpr int kFindAddOns = 2;
inline constexpr int kGplDirectory = 3;
inline constexpr int kHistory = 4;
}  // namespace tab

// Frames: the five pages, the two panels of "Cars / Accessories" and two sub-frames.
namespace fra {
inline constexpr int kCarFoldersPage = 0;
inline constexpr int kRemoveModePanel = 1;
inline constexpr int kAddModePanel = 2;
inline constexpr int kAddOnFolderFrame = 3;  // the Add mode rows below the description
inline constexpr int kFindAddOnsPage = 4;
inline constexpr int kCarsAccessoriesPage = 5;
inline constexpr int kGplDirectoryPage = 6;
inline constexpr int kExplanation = 7;  // "GPL Directory": holds lbl::kExplanation
inline constexpr int kHistoryPage = 8;
inline constexpr int kStepChanges = 9;  // "History": what the selected step changed
}  // namespace fra

// Command buttons.
namespace cmd {
inline constexpr int kSaveCarFolder = 0;  // "Save" on "Car Folders": the swap
inline constexpr int kAddFiles = 1;
inline constexpr int kUpdateUrl = 2;
inline constexpr int kRemoveMode = 3;  // "Remove Mode..."
inline constexpr int kRemoveFiles = 4;
inline constexpr int kAddMode = 5;  // "Add Mode..."
inline constexpr int kSaveCarNumber = 6;
inline constexpr int kSaveGplDirectory = 7;   // "Save" on "GPL Directory"
inline constexpr int kStartGpl = 8;           // "Start GPL" on "Cars / Accessories"
inline constexpr int kUndoLast = 9;           // "Undo Last" on "History"
inline constexpr int kRestoreToHere = 10;     // "Restore to Here": to the step selected
inline constexpr int kCheckForChanges = 11;   // "Check for Changes": files changed by hand
inline constexpr int kNameStep = 12;          // "Name This Step...": the step selected
inline constexpr int kForgetOlderSteps = 13;  // "Forget Older Steps...": before the one selected
inline constexpr int kHistoryLimit = 14;      // "Size Limit...": the size the history keeps within
inline constexpr int kRepairHistory = 15;     // "Repair History": a missing or damaged index
inline constexpr int kCloseRestore = 16;      // "Close Unfinished Restore": the game left as it is
inline constexpr int kExportCarSet = 17;      // "Export Car Set..." on "Car Folders"
inline constexpr int kCompareCarSet = 18;     // "Compare with Car Set..."
inline constexpr int kMakeCarSetLive = 19;    // "Make It Live": the set compared
}  // namespace cmd

// Labels. The program's name and "Halvane2" are each drawn twice, a shade behind the name.
namespace lbl {
inline constexpr int kDestinationHeading = 0;       // "Destination for Current GPL Car Folder"
inline constexpr int kSourceHeading = 1;            // "Folder That is to Become GPL Car Folder"
inline constexpr int kNewNameHeading = 2;           // "New Name for Current Car Folder"
inline constexpr int kDeleteWarning = 3;            // "*** CURRENT CAR FOLDER WILL BE DELETED! ***"
inline constexpr int kMovrandShade = 4;             // "Movrand", opens the About box
inline constexpr int kMovrand = 5;                  // "Movrand", opens the About box
inline constexpr int kNoPicture = 6;                // "(Picture Not Produced for this Version)"
inline constexpr int kTeamHeading = 7;              // "Team"
inline constexpr int kFilesHeading = 8;             // "Files"
inline constexpr int kFilesDescriptionHeading = 9;  // "Files Description"
inline constexpr int kHalvaneShade = 10;            // "Halvane2"
inline constexpr int kHalvane = 11;                 // "Halvane2"
inline constexpr int kCarNumberHeading = 12;        // "Car No."
inline constexpr int kCurrentInstallation = 13;     // two blanks and GPLPath
inline constexpr int kExplanation = 14;  // "Use this Page to Point Movrand at an alternative ..."
inline constexpr int kCurrentInstallationHeading = 15;    // "Current GPL Installation Used ..."
inline constexpr int kAlternateInstallationHeading = 16;  // "Alternate GPL Installation to ..."
inline constexpr int kZorvex = 17;                        // "Zorvex", opens the maker's website
inline constexpr int kCurrentPrefix = 18;  // the Wine prefix of the installation in use
inline constexpr int kHistorySize = 19;    // "History" page: what the history takes
inline constexpr int kLiveCarSetCode =
    20;  // "Car Folders": the codes of the live and chosen folders
inline constexpr int kCarSetComparison = 21;  // the codes and counts of the last comparison
}  // namespace lbl

// Text boxes: the new name is one line, the others several.
namespace txt {
inline constexpr int kNewName = 0;           // the current car folder's new name; keys filtered
inline constexpr int kFilesDescription = 1;  // Remove mode: the installed add-on's description
inline constexpr int kDescription = 2;       // Add mode: the file set's; double-click enlarges
inline constexpr int kCarFiles = 3;          // a team's car files
}  // namespace txt

// Drop-down lists.
namespace cbo {
inline constexpr int kLinkCategories = 0;
inline constexpr int kAddOnFiles = 1;  // the file sets of the shown add-on folder
inline constexpr int kInstalledAddOns = 2;
inline constexpr int kTeams = 3;  // Remove mode
inline constexpr int kDrivers = 4;
inline constexpr int kCarNumbers = 5;  // "1" to "99"
}  // namespace cbo

// Tick boxes.
namespace chk {
inline constexpr int kDeleteCurrentCarFolder = 0;  // "DELETE CURRENT CAR FOLDER!"
inline constexpr int kAddOnsOnly = 1;              // "Show Add-ons Only"
inline constexpr int kExcludeGeneric = 2;          // "Excl. Generic"
inline constexpr int kHalvaneCompatibleOnly = 3;   // "Halvane Compatible Only"
inline constexpr int kShowHiddenFolders = 4;       // "Show hidden folders", GPL Directory page
}  // namespace chk

// Option buttons of the "Car Folders" page.
namespace opt {
inline constexpr int kMove = 0;
inline constexpr int kCopy = 1;
}  // namespace opt

// Each folder choice is a drive list above a folder list of the same index, named by the
// folder it chooses.
namespace drv {
inline constexpr int kAddOnFolder = 0;            // Add mode: the add-on folder shown
inline constexpr int kSourceFolder = 1;           // the car folder that is to become live
inline constexpr int kDestinationFolder = 2;      // where the current live folder goes
inline constexpr int kAlternateInstallation = 3;  // "GPL Directory"
}  // namespace drv
namespace dir {
inline constexpr int kAddOnFolder = drv::kAddOnFolder;
inline constexpr int kSourceFolder = drv::kSourceFolder;
inline constexpr int kDestinationFolder = drv::kDestinationFolder;
inline constexpr int kAlternateInstallation = drv::kAlternateInstallation;
}  // namespace dir

// Pictures: the two help buttons.
namespace pic {
inline constexpr int kRemoveModeHelp = 0;
inline constexpr int kAddModeHelp = 1;
}  // namespace pic

// Images.
namespace img {
inline constexpr int kAddOnTeam = 0;  // Add mode: the shown add-on's team
inline constexpr int kPreview = 1;    // the add-on's picture, below both panels
inline constexpr int kRemoveModeTeam = 2;
inline constexpr int kFlag = 3;  // the selected driver's nationality
}  // namespace img

// List boxes.
namespace lst {
inline constexpr int kTeamDrivers = 0;   // the drivers of the shown team; double-click enlarges
inline constexpr int kHistorySteps = 1;  // the installation's history, newest step first
inline constexpr int kCarSetDifferences = 2;  // the comparison, by team folder
}  // namespace lst

// The embedded browser of "Find Add-Ons".
namespace web {
inline constexpr int kBrowser = 0;
}

}  // namespace controls
}  // namespace movrand::mainwindow
