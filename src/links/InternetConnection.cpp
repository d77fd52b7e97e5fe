// SPDX-License-Identifier: GPL-3.0-or-later
#include "links/InternetConnection.h"

#include "resources/StringTable.h"

namespace movrand::links {

using resources::LoadResString;

std::string ConnectionNotice() {
    return LoadResString(resources::kInternetConnected) + "\r\n" + "\r\n" +
           LoadResString(resources::kCloseToDisconnect);
}

void ConnectToInternet(bool& blnConnected, const ConnectionSteps& steps, platform::Ui& ui) {
    if (blnConnected) return;
    blnConnected = true;
    steps.FillLinkCategories();
    steps.ShowLinkCategory();
    ui.ShowMessage(ConnectionNotice(), 7000, 2000);
    steps.AppendToTitle(LoadResString(resources::kConnectedTitle));
}

}  // namespace movrand::links
