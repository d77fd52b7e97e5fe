// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/DescriptionView.h"

#include "resources/StringTable.h"

namespace movrand::mainwindow {

using resources::LoadResString;

AddModeLayout SetDescriptionView(bool enlarged) {
    AddModeLayout layout;
    layout.DriverList.Place = kDriverListNormal;
    layout.DriverList.Tooltip = LoadResString(resources::kIncreaseTextViewTip);
    if (enlarged) {
        layout.SubFrame.Visible = false;
        layout.SubFrame.Front = false;
        layout.DriverList.Visible = false;
        layout.Description.Place = kDescriptionEnlarged;
        layout.Description.Tooltip = LoadResString(resources::kDecreaseViewTip);
    } else {
        layout.Description.Place = kDescriptionNormal;
        layout.Description.Tooltip = LoadResString(resources::kIncreaseViewTip);
        layout.Description.Visible = true;
        layout.DriverList.Visible = true;
        layout.SubFrame.Visible = true;
        layout.SubFrame.Front = true;
    }
    return layout;
}

AddModeLayout DescriptionDoubleClick(int descriptionWidthTwips) {
    return SetDescriptionView(descriptionWidthTwips == kDescriptionNormal.Width);
}

AddModeLayout DriverListDoubleClick(int driverListHeightTwips) {
    AddModeLayout layout;
    if (driverListHeightTwips != kDriverListNormal.Height) {
        layout.DriverList.Place = kDriverListNormal;
        layout.DriverList.Tooltip = LoadResString(resources::kIncreaseTextViewTip);
        layout.Description.Visible = true;
    } else {
        layout.Description.Visible = false;
        layout.DriverList.Place = kDriverListEnlarged;
        layout.DriverList.Tooltip = LoadResString(resources::kDecreaseTextViewTip);
    }
    layout.ClearDriverListSelection = true;
    return layout;
}

}  // namespace movrand::mainwindow
