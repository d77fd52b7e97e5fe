// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/EventRoutes.h"

namespace movrand::mainwindow {

Operation RouteButton(int index) {
    switch (index) {
        case cmd::kSaveCarFolder:
            return Operation::SwapCarFolder;
        case cmd::kAddFiles:
            return Operation::AddSelectedFiles;
        case cmd::kUpdateUrl:
            return Operation::UpdateWebsiteAddress;
        case cmd::kRemoveMode:
            return Operation::EnterRemoveMode;
        case cmd::kRemoveFiles:
            return Operation::RemoveAddOnFiles;
        case cmd::kAddMode:
            return Operation::EnterAddMode;
        case cmd::kSaveCarNumber:
            return Operation::AssignCarNumber;
        case cmd::kSaveGplDirectory:
            return Operation::SaveGplDirectory;
        case cmd::kStartGpl:
            return Operation::StartGpl;
        case cmd::kUndoLast:
            return Operation::UndoLast;
        case cmd::kRestoreToHere:
            return Operation::RestoreToHere;
        case cmd::kCheckForChanges:
            return Operation::CheckForChanges;
        case cmd::kNameStep:
            return Operation::NameStep;
        case cmd::kForgetOlderSteps:
            return Operation::ForgetOlderSteps;
        case cmd::kHistoryLimit:
            return Operation::ChangeHistoryLimit;
        case cmd::kRepairHistory:
            return Operation::RepairHistory;
        case cmd::kCloseRestore:
            return Operation::CloseUnfinishedRestore;
        case cmd::kExportCarSet:
            return Operation::ExportCarSet;
        case cmd::kCompareCarSet:
            return Operation::CompareCarSet;
        case cmd::kMakeCarSetLive:
            return Operation::MakeCarSetLive;
        default:
            return Operation::None;
    }
}

Operation RouteTab(int index) {
    switch (index) {
        case tab::kCarsAccessories:
            return Operation::RestoreAddModeLayout;
        case tab::kFindAddOns:
            return Operation::ConnectToInternet;
        case tab::kHistory:
            return Operation::ShowHistory;
        case tab::kCarFolders:
            return Operation::ShowCarSetCodes;
        default:
            return Operation::None;
    }
}

Operation RouteFolderList(int index) {
    if (index == dir::kSourceFolder) return Operation::ShowCarSetCodes;
    return index == dir::kAddOnFolder ? Operation::ShowAddOnFolder : Operation::None;
}

Operation RouteTickBox(int index) {
    switch (index) {
        case chk::kDeleteCurrentCarFolder:
            return Operation::ShowDeleteWarning;
        case chk::kAddOnsOnly:
            return Operation::FillLinkCategories;
        case chk::kExcludeGeneric:
            return Operation::RefreshAddOnFileList;
        case chk::kShowHiddenFolders:
            return Operation::ShowHiddenFolders;
        default:
            return Operation::None;
    }
}

Operation RouteDropDownClick(int index) {
    switch (index) {
        case cbo::kLinkCategories:
            return Operation::ShowLinkCategory;
        case cbo::kAddOnFiles:
            return Operation::ShowAddOnFiles;
        case cbo::kInstalledAddOns:
            return Operation::ShowInstalledItem;
        case cbo::kTeams:
            return Operation::ListInstalledItems;
        case cbo::kDrivers:
            return Operation::ShowDriver;
        case cbo::kCarNumbers:
            return Operation::EnableSaveCarNumber;
        default:
            return Operation::None;
    }
}

Operation RouteLabelClick(int index) {
    if (index == lbl::kMovrandShade || index == lbl::kMovrand) return Operation::ShowAboutBox;
    if (index == lbl::kZorvex) return Operation::OpenWebsite;
    return Operation::None;
}

Operation RoutePictureClick(int index) {
    return index == pic::kRemoveModeHelp || index == pic::kAddModeHelp ? Operation::OpenHelp
                                                                       : Operation::None;
}

}  // namespace movrand::mainwindow
