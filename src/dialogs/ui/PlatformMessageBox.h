// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QMessageBox>
#include <memory>
#include <string>

#include "platform/Ui.h"

namespace movrand::dialogs {

// The platform's own message box as the error traps use it: an OK button only, the icon of the
// trap's form and its title.
std::unique_ptr<QMessageBox> MakePlatformMessageBox(const std::string& text,
                                                    platform::MessageIcon icon,
                                                    const std::string& title, QWidget* parent);

}  // namespace movrand::dialogs
