// SPDX-License-Identifier: GPL-3.0-or-later
#include "links/LinkCategories.h"

namespace movrand::links {

const std::vector<LinkCategory>& LinkCategoryTable() {
    // The marked entries make up the "Add-ons only" list.
    static const std::vector<LinkCategory> table = {
        {"Cars / Carsets", "/AddOnsCars.htm", true},
        {"Dashboards / Cockpits", "/AddOnsDashboards.htm", true},
        {"Driver Instruction", "/AddOnsDriverInstruction.htm", false},
        {"F2 & F3 Sites", "/AddOnsF2andF3Sites.htm", false},
        {"Game Controllers", "/AddOnsGameControllers.htm", false},
        {"GPL Leagues", "/AddOnsGPLLeagues.htm", false},
        {"Hi-Res Skies", "/AddOnsSkies.htm", true},
        {"Official GPL Sites", "/AddOnsOfficialGPLSites.htm", false},
        {"Miscellaneous", "/AddOnsMiscellaneous.htm", false},
        {"Paintjobs", "/AddOnsPaintjobs.htm", true},
        {"Photos / Historical Reference", "/AddOnsPhotos.htm", false},
        {"Real Racing", "/AddOnsRealRacing.htm", false},
        {"Setups", "/AddOnsSetups.htm", true},
        {"Software", "/AddOnsSoftware.htm", true},
        {"Technical Guides", "/AddOnsTechGuides.htm", false},
        {"Track Guides", "/AddOnsTrackGuides.htm", false},
        {"Track Updates", "/AddOnsTrackUpdates.htm", true},
        {"Tracks", "/AddOnsTracks.htm", true},
    };
    return table;
}

std::vector<std::string> LinkCategoryEntries(bool addOnsOnly) {
    std::vector<std::string> entries;
    for (const LinkCategory& category : LinkCategoryTable())
        if (!addOnsOnly || category.AddOnsOnly) entries.emplace_back(category.Text);
    return entries;
}

std::string PageAddress(const std::string& websiteURL, const std::string& category) {
    for (const LinkCategory& entry : LinkCategoryTable())
        if (category == entry.Text) return websiteURL + entry.PageName;
    return "";
}

std::string BrowserWindowAddress(const std::string& address) {
    return address + "/newdefaultjava.asp";
}

std::string HelpAddress(const std::string& websiteURL) {
    return websiteURL + "\\movrandhelpcontents.htm";
}

}  // namespace movrand::links
