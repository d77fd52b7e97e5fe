// SPDX-License-Identifier: GPL-3.0-or-later
#include "launchers/LauncherOrigin.h"

namespace movrand::platform {

const char* LauncherName(Launcher launcher) {
    switch (launcher) {
        case Launcher::Lutris:
            return "Lutris";
        case Launcher::Bottles:
            return "Bottles";
        case Launcher::Steam:
            return "Steam";
        case Launcher::Heroic:
            return "Heroic";
        case Launcher::Umu:
            return "umu";
        case Launcher::PlayOnLinux:
            return "PlayOnLinux";
        case Launcher::CrossOver:
            return "CrossOver";
        case Launcher::PortProton:
            return "PortProton";
        case Launcher::Faugus:
            return "Faugus Launcher";
        case Launcher::Q4Wine:
            return "q4wine";

        case Launcher::Wine:
            break;
    }
    return "Wine";
}

}  // namespace movrand::platform
