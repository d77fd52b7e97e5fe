// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QWidget>

namespace movrand::dialogs {

// Lists, drop-down lists and the path line on the skin: light grey text on dark grey.
void UseSkinListColours(QWidget* control);

}  // namespace movrand::dialogs
