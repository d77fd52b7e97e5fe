// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

namespace movrand::links {

// One link category of the "Find Add-Ons" page: the text the list shows, the page of the maker's
// website it leads to, and whether it is one of the add-on categories.
struct LinkCategory {
    const char* Text;
    const char* PageName;
    bool AddOnsOnly;
};

// All 18 categories in the order the list shows them.
const std::vector<LinkCategory>& LinkCategoryTable();

// The entries of the category list: the 8 add-on categories when "Show Add-ons Only" is ticked,
// else all 18; in table order either way.
std::vector<std::string> LinkCategoryEntries(bool addOnsOnly);

// The page of a category: the website address followed directly by the category's page name.
// The text must match a category exactly, letter case included; any other text gives "".
std::string PageAddress(const std::string& websiteURL, const std::string& category);

// The address a browser window opens for the address it is given.
std::string BrowserWindowAddress(const std::string& address);

// The address the help buttons hand to a browser window.
std::string HelpAddress(const std::string& websiteURL);

}  // namespace movrand::links
