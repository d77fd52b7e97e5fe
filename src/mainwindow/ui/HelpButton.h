// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QLabel>
#include <QPixmap>

namespace movrand::mainwindow {

// Puts the help picture into a help button and cuts the button to the picture's outline: every
// pixel of the colour of its top left pixel is left out, so only the book shows and takes
// clicks.
void ShowHelpButton(QLabel* button, const QPixmap& picture);

}  // namespace movrand::mainwindow
