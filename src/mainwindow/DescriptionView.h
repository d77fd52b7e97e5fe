// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <optional>
#include <string>

namespace movrand::mainwindow {

// A place in twips inside the Add-mode panel.
struct TwipsPlace {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool operator==(const TwipsPlace&) const = default;
};

// How one control of the Add-mode panel is to change; an empty field leaves that property.
struct ControlChange {
    std::optional<TwipsPlace> Place;
    std::optional<std::string> Tooltip;
    std::optional<bool> Visible;
    std::optional<bool> Front;  // true: brought to the front; false: sent to the back
    bool operator==(const ControlChange&) const = default;
};

// The arrangement of the description box txt::kDescription, the team drivers list lst::kTeamDrivers
// and the sub-frame fra::kAddOnFolderFrame.
struct AddModeLayout {
    ControlChange Description;  // txt::kDescription
    ControlChange DriverList;   // lst::kTeamDrivers
    ControlChange SubFrame;     // fra::kAddOnFolderFrame
    bool ClearDriverListSelection = false;
    bool operator==(const AddModeLayout&) const = default;
};

// Design places of the two boxes.
inline constexpr TwipsPlace kDescriptionNormal{4560, 420, 4200, 915};
inline constexpr TwipsPlace kDescriptionEnlarged{0, 420, 8760, 1875};
inline constexpr TwipsPlace kDriverListNormal{4560, 1410, 4215, 840};
inline constexpr TwipsPlace kDriverListEnlarged{4560, 480, 4215, 1815};

// The enlarged-description arrangement (true) or the normal one (false). The normal one also
// shows the description again, which an enlarged driver list may have hidden, so returning to
// the page always gives the whole normal layout.
AddModeLayout SetDescriptionView(bool enlarged);

// A double-click on the description box: enlarges it when it has its normal width (4200),
// restores the normal arrangement otherwise.
AddModeLayout DescriptionDoubleClick(int descriptionWidthTwips);

// A double-click on the team drivers list: at its normal height (840) it grows upwards over the
// description's place and hides the description; otherwise both return to normal. No entry
// stays selected.
AddModeLayout DriverListDoubleClick(int driverListHeightTwips);

}  // namespace movrand::mainwindow
