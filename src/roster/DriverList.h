// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

#include "common/ProgramValues.h"
#include "platform/Ui.h"

namespace movrand {

// One entry of the driver list cbo::kDrivers: first name, a blank, last name; its item data is the
// driver number 1 to 19.
struct DriverListEntry {
    std::string Text;
    int ItemData = 0;
};

// What the driver list cbo::kDrivers holds after loading. The window empties the box, adds the
// entries in this order and selects SelectedIndex; the selection raises the box's click event,
// which shows that driver (ShowDriver).
struct DriverListView {
    std::vector<DriverListEntry> Entries;  // in the box's sorted order
    int SelectedIndex = -1;                // -1 when the load was stopped by an error
    bool Ok = false;                       // false when the error trap reported a failure
};

// The selected driver as the Add-mode panel shows him. When the error trap fires part-way
// (a "nationality" or "team_number" that is missing or no number), only the steps reached are
// to be applied; the rest of the display stays as it was.
struct DriverView {
    bool Ok = false;
    bool FlagApplied = false;         // img::kFlag: FlagId and FlagTooltip are to be applied
    int FlagId = 0;                   // bitmap of the flag; 0 clears the picture
    std::string FlagTooltip;          // " British " (two blanks for an unknown nationality)
    bool ListTooltipApplied = false;  // cbo::kDrivers: ListTooltip is to be applied
    std::string ListTooltip;          // " British Lotus Driver ", or "" for an unknown team
    bool CarNumberApplied = false;    // cbo::kCarNumbers: CarNumber is to be put as its text
    std::string CarNumber;            // "car_number" exactly as stored, e.g. "07"
};

// The flag and text GetCountry gives for a nationality index.
struct CountryView {
    int FlagId = 0;  // bitmap 112 + index; 0 clears the picture
    std::string Text;
};

// A team's picture and the tooltip its picture control is to have afterwards.
struct BadgeView {
    int PictureId = 0;  // bitmap of the team; 0 clears the picture
    std::string Tooltip;
};

// Reads the 19 drivers' names from the working copy into the sorted driver list and selects its
// first entry. Carries the information error trap.
DriverListView LoadDriverList(ProgramValues& pv, platform::Ui& ui);

// The driver whose number is the item data of the selected cbo::kDrivers entry: flag, tooltips and
// car number, read from the working copy. Carries the information error trap.
DriverView ShowDriver(ProgramValues& pv, platform::Ui& ui, int driverNumber);

// The flag of nationality index intIndex (0 to 28) and its nationality text (blnNationality)
// or country text, in tooltip form with a blank on each side when blnTooltips. Any other index
// clears the picture and gives the empty text. Carries the common error trap and gives the
// empty text after an error.
CountryView GetCountry(ProgramValues& pv, platform::Ui& ui, int intIndex,
                       bool blnNationality = false, bool blnTooltips = false);

// A racing team's picture for a picture control whose tooltip is currentTooltip: teams 0 to 6
// give their picture and the driver tooltip (asDriver) or the short one; any other number clears
// the picture and keeps the tooltip. A non-empty text is put in front of the tooltip
// (" " + text trimmed + tooltip). Carries the common error trap.
BadgeView ShowTeamBadge(ProgramValues& pv, platform::Ui& ui, int team, const std::string& text,
                        bool asDriver, const std::string& currentTooltip = "");

}  // namespace movrand
