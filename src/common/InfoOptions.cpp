// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/InfoOptions.h"

#include "platform/VersionRecord.h"

namespace movrand {

std::string VersionText(std::string_view program) {
    const auto& v = platform::kVersion;
    return std::string(program) + " " + std::to_string(v.Major) + "." + std::to_string(v.Minor) +
           "." + std::to_string(v.Revision) + "\n";
}

const char* const kDesktopUsage = R"(Usage: movrand [-h | --help | --version]
Movrand's desktop program, for players of GPL (Grand Prix Legends), the racing
simulation that runs under Wine. It installs add-on cars and accessories into
the game's team folders (with records and backups, and removes them again),
swaps whole car folders, changes drivers' car numbers and can be pointed at
another GPL installation.

It takes no other arguments. It works on the GPL installation it used last, in
that installation's own Wine prefix. With $WINEPREFIX set it keeps to that
prefix: the installation it used last when it lies there, else the one it finds
on that prefix's drives. A first start searches every Wine prefix it finds, in
this order: ~/.wine, winetricks', Lutris, Bottles, Steam's Proton, Heroic, umu,
PlayOnLinux, CrossOver, PortProton, Faugus Launcher, q4wine, the Wine Flatpak,
~/wine/* and ~/.wineprefixes/*, then any prefix directly in the home. In each
it looks first at the game folders the launchers' own files name, then at
sierra\gpl and games\sierra\gpl, then at every folder up to 4 levels deep
holding gpl.exe and driver.ini. It lets you choose when it finds several; when
it finds none it asks for the file.

"Start GPL" starts the game through the launcher that keeps it. Every change to
the installation is a step of its history (the History page), which can be
undone, restored and verified. movrand-cli runs the same operations without
windows; see movrand(1).

Options:
  -h, --help   print this text and exit
  --version    print the version and exit
)";

std::optional<int> AnswerDesktopArguments(const std::vector<std::string>& args, std::ostream& out,
                                          std::ostream& err) {
    if (args.empty()) return std::nullopt;
    const bool help = args[0] == "--help" || args[0] == "-h";
    const bool version = args[0] == "--version";
    if (args.size() == 1 && help) {
        out << kDesktopUsage;
        return 0;
    }
    if (args.size() == 1 && version) {
        out << VersionText("movrand");
        return 0;
    }
    const std::string& unknown = help || version ? args[1] : args[0];
    err << "movrand: unknown argument " << unknown << "\n\n" << kDesktopUsage;
    return 2;
}

}  // namespace movrand
