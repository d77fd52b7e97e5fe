// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <filesystem>
#include <string>

#include "common/ProgramValues.h"
#include "installation/Installations.h"
#include "platform/DetachedStart.h"
#include "platform/Ui.h"

namespace movrand {

// The command that starts GPL (`gameExe`, its native gpl.exe) of an installation the way its
// launcher does: Lutris `lutris lutris:rungameid/ID` (or lutris:rungame/SLUG), Steam
// `steam steam://rungameid/ID`, Bottles `bottles-cli run -b NAME -e PATH`, Heroic
// `heroic heroic://launch/APP`, each through `flatpak run` when the launcher is the Flatpak;
// otherwise, and for a launcher that has no name for the game, `wine gpl.exe` with WINEPREFIX
// set, in the GPL folder.
platform::ProgramCommand GameStartCommand(const Installation& installation,
                                          const std::filesystem::path& gameExe);

// "Start GPL": starts the game of the installation in use through its launcher and returns at
// once. Refuses with a message naming the launcher's program when it is not installed, or
// gpl.exe when the installation has none. While GPL already runs from the installation's prefix
// it asks first. True when the game was started.
bool StartGame(const ProgramValues& pv, platform::Ui& ui);

}  // namespace movrand
