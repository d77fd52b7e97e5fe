#include "links/InternetConnection.h"

#include "resources/StringTable.h"

namespace movrand::links {

using resources::LoadResString;

std::string ConnectionNotice() {
    return LoadResString(106) + "\r\n" + "\r\n" + LoadResString(107);
}

void ConnectToInternet(bool& blnConnected, const ConnectionSteps& steps, platform::Ui& ui) {
    if (blnConnected) return;
    blnConnected = true;
    steps.FillLinkCategories();
    steps.ShowLinkCategory();
    ui.ShowMessage(ConnectionNotice(), 7000, 2000);
    steps.AppendToTitle(LoadResString(108));
}

}  // namespace movrand::links
