// SPDX-License-Identifier: GPL-3.0-or-later
#include "roster/DriverList.h"

#include <algorithm>
#include <vector>

#include "platform/ErrorTrap.h"
#include "platform/Text.h"
#include "roster/IniFunctions.h"
#include "roster/ListText.h"
#include "roster/NationalityTable.h"
#include "roster/RosterFile.h"
#include "roster/TeamTable.h"
#include "roster/WholeNumber.h"
#include "wine/Profile.h"

namespace movrand {

using platform::RunTrapped;
using platform::TrapForm;

namespace {
// " " + the text without its outer blanks + the tooltip: a nationality in front of a team's
// tooltip.
std::string PrefixedTooltip(const std::string& text, const std::string& tooltip) {
    std::string result(1, ' ');
    result += platform::Trim(text);
    result += tooltip;
    return result;
}
}  // namespace

DriverListView LoadDriverList(ProgramValues& pv, platform::Ui& ui) {
    DriverListView view;
    view.Ok = RunTrapped(ui, TrapForm::Information, pv.ProgramName, [&] {
        const platform::ProfileReadScope scope;
        std::vector<ListSortKey> keys;  // of view.Entries, in their order
        for (int n = 1; n <= kRosterDrivers; ++n) {
            const std::string section = DriverSection(n);
            const std::string first =
                ReadIniValue(pv, ui, section, "first_name", pv.DriverWorkFile);
            const std::string last = ReadIniValue(pv, ui, section, "last_name", pv.DriverWorkFile);
            DriverListEntry entry{first + " " + last, n};
            // The sorted box puts a new entry before the first one that does not sort before it.
            ListSortKey key = ListKey(entry.Text);
            const auto at = std::lower_bound(keys.begin(), keys.end(), key);
            view.Entries.insert(view.Entries.begin() + (at - keys.begin()), std::move(entry));
            keys.insert(at, std::move(key));
        }
        view.SelectedIndex = 0;
    });
    return view;
}

DriverView ShowDriver(ProgramValues& pv, platform::Ui& ui, int driverNumber) {
    DriverView view;
    view.Ok = RunTrapped(ui, TrapForm::Information, pv.ProgramName, [&] {
        const platform::ProfileReadScope scope;
        const std::string section = DriverSection(driverNumber);
        const int nationality =
            ToWholeNumber(ReadIniValue(pv, ui, section, "nationality", pv.DriverWorkFile));
        const CountryView country = GetCountry(pv, ui, nationality, true, true);
        view.FlagId = country.FlagId;
        view.FlagTooltip = country.Text;
        view.FlagApplied = true;

        const int teamNumber =
            ToWholeNumber(ReadIniValue(pv, ui, section, "team_number", pv.DriverWorkFile));
        if (const Team* team = TeamByNumber(teamNumber))
            view.ListTooltip = PrefixedTooltip(view.FlagTooltip, team->DriverTooltip);
        view.ListTooltipApplied = true;

        view.CarNumber = ReadIniValue(pv, ui, section, "car_number", pv.DriverWorkFile);
        view.CarNumberApplied = true;
        ui.DoEvents();
    });
    return view;
}

CountryView GetCountry(ProgramValues& pv, platform::Ui& ui, int intIndex, bool blnNationality,
                       bool blnTooltips) {
    CountryView view;
    const bool ok = RunTrapped(ui, TrapForm::Common, pv.ProgramName, [&] {
        std::string text;
        if (const Nationality* nationality = NationalityByIndex(intIndex)) {
            view.FlagId = nationality->FlagId;
            text = blnNationality ? nationality->Adjective : nationality->Country;
        }
        view.Text = blnTooltips ? " " + text + " " : text;
    });
    if (!ok) view.Text.clear();
    return view;
}

BadgeView ShowTeamBadge(ProgramValues& pv, platform::Ui& ui, int team, const std::string& text,
                        bool asDriver, const std::string& currentTooltip) {
    BadgeView view;
    view.Tooltip = currentTooltip;
    RunTrapped(ui, TrapForm::Common, pv.ProgramName, [&] {
        if (const Team* entry = TeamByNumber(team)) {
            view.Tooltip = asDriver ? entry->DriverTooltip : entry->ShortTooltip;
            view.PictureId = entry->PictureId;
        }
        if (!text.empty()) view.Tooltip = PrefixedTooltip(text, view.Tooltip);
    });
    return view;
}

}  // namespace movrand
