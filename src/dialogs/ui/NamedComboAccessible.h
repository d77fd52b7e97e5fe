// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace movrand::dialogs {

// Screen readers on this desktop would name a drop-down list by the text it shows ("8"), which
// tells a listener nothing of what the list is for. After this call every drop-down list of the
// program is named by its accessible name ("Car No.") and reads what it shows as its value; a
// list without a name still reads as its text. Called once, after the application is made.
void InstallNamedComboAccessible();

}  // namespace movrand::dialogs
