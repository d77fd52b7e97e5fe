// SPDX-License-Identifier: GPL-3.0-or-later
#include "folders/CarFolderPage.h"

namespace movrand {

DeleteWarningView ShowDeleteWarning(CarFolderPage& page) {
    DeleteWarningView view;
    if (page.DeleteCurrent) {
        page.NewName.clear();
        view.WarningShown = true;
        view.DestinationEnabled = false;
        view.HeadingLeft = 330;
        view.HeadingColour = kWarningRed;
        view.HeadingCaption = "*** CURRENT CAR FOLDER WILL BE DELETED! ***";
        view.TickBoxColour = kWarningRed;
    } else {
        view.WarningShown = false;
        view.DestinationEnabled = true;
        view.HeadingLeft = 120;
        view.HeadingColour = kButtonTextColour;
        view.HeadingCaption = "Destination for Current GPL Car Folder";
        view.TickBoxColour = kButtonTextColour;
    }
    return view;
}

bool NameBoxAccepts(int keyAscii) {
    return (keyAscii >= 'A' && keyAscii <= 'Z') || (keyAscii >= 'a' && keyAscii <= 'z') ||
           (keyAscii >= '0' && keyAscii <= '9') || keyAscii == 95 || keyAscii == 8;
}

}  // namespace movrand
