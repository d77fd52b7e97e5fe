// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <string>

#include "platform/Ui.h"

namespace movrand::links {

// What the first connection does on the main window: fill the category list, load the chosen
// category's page into the page's browser, and extend the window's title.
struct ConnectionSteps {
    std::function<void()> FillLinkCategories;
    std::function<void()> ShowLinkCategory;
    std::function<void(const std::string&)> AppendToTitle;
};

// The one-time connection of the "Find Add-Ons" page, reached from the page's tab, the maker's
// name and the help buttons alike: the first call sets `blnConnected`, loads the first category,
// gives the connection notice (strings 106 and 107 in a 7000 x 2000 message window) and appends
// string 108 to the title; every later call does nothing.
void ConnectToInternet(bool& blnConnected, const ConnectionSteps& steps, platform::Ui& ui);

// The notice's text.
std::string ConnectionNotice();

}  // namespace movrand::links
