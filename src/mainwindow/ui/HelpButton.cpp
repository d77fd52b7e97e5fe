// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/ui/HelpButton.h"

#include "dialogs/ui/PictureRegion.h"

namespace movrand::mainwindow {

void ShowHelpButton(QLabel* button, const QPixmap& picture) {
    button->setPixmap(picture);
    // Colour 0: the picture's top left pixel names the colour that is cut away.
    dialogs::ColourValue transparent = 0;
    dialogs::SetWindowRegion(button, dialogs::RegionOfHolder(button, transparent));
}

}  // namespace movrand::mainwindow
