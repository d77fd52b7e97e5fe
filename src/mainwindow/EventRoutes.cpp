// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/EventRoutes.h"

#include <array>

namespace movrand::mainwindow {

namespace {
template <std::size_t N>
Operation Pick(const std::array<Operation, N>& table, int index) {
    return index >= 0 && index < static_cast<int>(N) ? table[index] : Operation::None;
}
}  // namespace

Operation RouteButton(int index) {
    static constexpr std::array table{
        Operation::SwapCarFolder,   Operation::AddSelectedFiles, Operation::UpdateWebsiteAddress,
        Operation::EnterRemoveMode, Operation::RemoveAddOnFiles, Operation::EnterAddMode,
        Operation::AssignCarNumber, Operation::SaveGplDirectory,
    };
    return Pick(table, index);
}

Operation RouteTab(int tab) {
    static constexpr std::array table{Operation::RestoreAddModeLayout, Operation::None,
                                      Operation::ConnectToInternet, Operation::None};
    return Pick(table, tab);
}

Operation RouteFolderList(int index) {
    return index == 0 ? Operation::ShowAddOnFolder : Operation::None;
}

Operation RouteTickBox(int index) {
    static constexpr std::array table{Operation::ShowDeleteWarning, Operation::FillLinkCategories,
                                      Operation::RefreshAddOnFileList, Operation::None};
    return Pick(table, index);
}

Operation RouteDropDownClick(int index) {
    static constexpr std::array table{
        Operation::ShowLinkCategory,   Operation::ShowAddOnFiles, Operation::ShowInstalledItem,
        Operation::ListInstalledItems, Operation::ShowDriver,     Operation::EnableSaveCarNumber,
    };
    return Pick(table, index);
}

Operation RouteLabelClick(int index) {
    if (index == 4 || index == 5) return Operation::ShowAboutBox;
    if (index == 17) return Operation::OpenWebsite;
    return Operation::None;
}

Operation RoutePictureClick(int index) {
    return index == 0 || index == 1 ? Operation::OpenHelp : Operation::None;
}

}  // namespace movrand::mainwindow
