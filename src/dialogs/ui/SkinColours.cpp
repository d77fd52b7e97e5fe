// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/ui/SkinColours.h"

#include <QPalette>

namespace movrand::dialogs {

void UseSkinListColours(QWidget* control) {
    const QColor text(0xE0, 0xE0, 0xE0);
    const QColor ground(0x40, 0x40, 0x40);
    QPalette palette = control->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, ground);
        palette.setColor(group, QPalette::Window, ground);
        palette.setColor(group, QPalette::Button, ground);
        palette.setColor(group, QPalette::Text, text);
        palette.setColor(group, QPalette::WindowText, text);
        palette.setColor(group, QPalette::ButtonText, text);
    }
    control->setPalette(palette);
    control->setAutoFillBackground(true);
}

}  // namespace movrand::dialogs
