// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "common/ProgramValues.h"
#include "launchers/LauncherOrigin.h"
#include "launchers/WinePrefixes.h"
#include "platform/Ui.h"

namespace movrand {

// A GPL installation: the Wine prefix it lives in (its native folder) and the Windows path of its
// driver.ini in that prefix. A Windows path means something only in its own prefix. One found
// by the search also knows the launcher it came through.
struct Installation {
    std::filesystem::path Prefix;
    std::string DriverIniFile;
    platform::LauncherOrigin Origin = {};
};

// The GPL installations of one prefix, as the first start looks for them, each valid one once
// (as the path of its driver.ini, with the launcher that starts it), in this order:
//   1. the folders the launchers' files name as their game's, on whatever drive reaches them;
//   2. "sierra\gpl", then "games\sierra\gpl" on each drive in letter order;
//   3. every folder holding gpl.exe and driver.ini (any case) up to 4 levels below each drive's
//      root, breadth first and by name, leaving out its "windows" folder, within 20,000 folders
//      per drive and 100,000 in the whole search, never entering another file system, a link,
//      /proc, /sys or /dev.
// Drives mapped to "/", to the home folder or to a folder that holds the prefix are only looked
// at for 1; 3 leaves out too a drive on a network or automounted file system.
std::vector<Installation> SearchPrefix(const platform::FoundPrefix& prefix,
                                       const std::filesystem::path& home);

// The installations of every prefix: `first` (the run's own prefix), then the prefixes found in
// the home in their order (platform/WinePrefixes.h); an empty home searches only `first`. A GPL
// folder reached only through a drive mapped to "/" or the home is listed once, and not when a
// prefix has it on a drive of its own. `notes` gets what the search skipped of the launchers'
// files (too large, too deep, beyond the search's budget).
std::vector<Installation> FindInstallations(const platform::SearchHome& where,
                                            const std::filesystem::path& first,
                                            std::vector<std::string>* notes = nullptr);

// The launcher that starts an installation's GPL (Wine when none does): the one whose files name
// its folder, else the launcher of its prefix when that one names no other folder as its game's.
platform::LauncherOrigin OriginOfInstallation(const platform::SearchHome& where,
                                              const Installation& installation);

// Whether two installations are one: one prefix, and paths that name one file in it.
bool SameInstallation(const Installation& a, const Installation& b);
// Whether an installation's driver.ini stands in a valid installation folder of its prefix.
bool InstallationExists(const Installation& installation);

// A path of this run (Windows notation) that lies inside a Wine prefix
// ("Z:\home\me\Games\gpl\drive_c\sierra\gpl"): that prefix and the path on its own drives
// ("C:\sierra\gpl"). Nothing when it lies in no prefix, when the run has no prefix of its own
// (tests), or the path cannot be resolved.
std::optional<Installation> InstallationOfPath(const ProgramValues& pv, const std::string& path);

// A path of this run as its own prefix names it: a path inside a Wine prefix (reached through
// the drive of "/") becomes that prefix's own path, and the run moves to that prefix; any other
// path comes back as it is.
std::string InItsOwnPrefix(ProgramValues& pv, const std::string& path);

// The prefix of this run as it is stored with the installation in use: "" when it is no Wine
// prefix (it does not exist yet), so that a path through its Z: is not tied to it.
std::string StoredPrefixOf(const ProgramValues& pv);

// Makes `prefix` the one of this run: its drives, and the program's folder in their notation.
void UseInstallationPrefix(ProgramValues& pv, const std::filesystem::path& prefix);

// Takes the lock of the installation folder `gplPath` (a second run on it, whoever starts it and
// with whatever data folder, waits and then is refused) and keeps it in pv, in place of the lock
// of the installation used before. False, after a message naming the folder, when another run
// holds it or it cannot be taken (pv.InstallationRefused tells it afterwards).
bool LockInstallation(ProgramValues& pv, platform::Ui& ui, const std::string& gplPath);
// The same without keeping it: the lock (the one already held when it is that installation), or
// nothing after the message. Kept by assigning it to pv.InstallationLock.
std::shared_ptr<ProgramValues::HeldInstallation> TakeInstallationLock(ProgramValues& pv,
                                                                      platform::Ui& ui,
                                                                      const std::string& gplPath);

}  // namespace movrand
