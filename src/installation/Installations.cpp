// SPDX-License-Identifier: GPL-3.0-or-later
#include "installation/Installations.h"

#include <sys/stat.h>

#include <cerrno>
#include <set>
#include <system_error>

#include "common/Functions.h"
#include "installation/DriverIniSearch.h"
#include "installation/GplInstallation.h"
#include "launchers/WinePrefixes.h"
#include "platform/FileSystemErrors.h"
#include "platform/FolderHunt.h"
#include "platform/Text.h"
#include "wine/PrefixPlace.h"
#include "wine/WindowsPath.h"

namespace movrand {
namespace fs = std::filesystem;

namespace {

// How deep and how wide the search walks each drive of a prefix for GPL.
constexpr platform::HuntBounds kDriveWalk{4, 20000};

// A folder's device and number, which tell two paths of one folder apart without a comparison
// per pair; nothing when it cannot be looked at.
std::optional<std::pair<dev_t, ino_t>> FolderIdentity(const fs::path& folder) {
    struct stat st {};
    if (folder.empty() || ::stat(folder.c_str(), &st) != 0) return std::nullopt;
    return std::pair{st.st_dev, st.st_ino};
}

// The launcher a GPL folder of the prefix is started through when no launcher's file names
// that folder: the prefix's, unless that launcher names another GPL folder as its game's, whose
// game this then is not. q4wine's game is the prefix itself: it starts any program in it.
platform::LauncherOrigin UnnamedOrigin(const platform::FoundPrefix& prefix) {
    platform::LauncherOrigin origin = prefix.Origin;
    if (origin.Through == platform::Launcher::Q4Wine) return origin;
    for (const platform::NamedFolder& named : prefix.Named) {
        std::error_code ec;
        if (named.Origin.Through == origin.Through && named.Origin.Game == origin.Game &&
            fs::is_regular_file(platform::ResolveName(named.Folder, "gpl.exe"), ec))
            origin.Game.clear();
    }
    return origin;
}

// A drive the walk leaves alone: one that reaches everything ("/", the home) or the prefix
// itself and what lies beside it.
bool WalkedPast(const platform::Drive& drive, const fs::path& prefix, const fs::path& home) {
    if (platform::IsWideDrive(drive, home)) return true;
    std::error_code ec;
    const fs::path root = fs::weakly_canonical(drive.Root, ec);
    if (ec) return true;
    const fs::path own = fs::weakly_canonical(prefix, ec);
    const std::string rootText = root.string(), ownText = own.string();
    return ownText == rootText ||
           (ownText.starts_with(rootText) && ownText[rootText.size()] == '/');
}

struct FoundGpl {
    Installation Found;
    std::optional<std::pair<dev_t, ino_t>> Identity;  // of its folder
    bool Wide = false;                                // reached only through a wide drive
};

std::vector<FoundGpl> SearchOnePrefix(const platform::FoundPrefix& prefix, const fs::path& home,
                                      platform::FolderHunt& hunt) {
    const platform::DriveTable drives = platform::DriveTable::FromWinePrefix(prefix.Prefix);
    const platform::FileSystem files(drives);
    std::vector<FoundGpl> found;
    std::set<std::pair<dev_t, ino_t>> seen;
    // Looks at one folder (Windows notation, no "\" at its end).
    const auto consider = [&](const std::string& folder, const platform::LauncherOrigin& origin) {
        try {
            const std::string candidate = folder + "\\driver.ini";
            if (!files.ProbeFile(candidate)) return;
            const std::string driverIni = files.ReportedPath(candidate);
            const std::string gplPath = FolderOfPath(driverIni);
            if (CheckGPLInstallation(files, gplPath.substr(0, gplPath.size() - 1)) !=
                InstallationCheck::Valid)
                return;
            const auto identity = FolderIdentity(files.Native(gplPath));
            if (identity && !seen.insert(*identity).second) return;
            const platform::Drive* drive = drives.FindDrive(driverIni.front());
            found.push_back({{prefix.Prefix, driverIni, origin},
                             identity,
                             drive && platform::IsWideDrive(*drive, home)});
        } catch (const platform::RuntimeError&) {
            // A drive that is not ready, a link that loops or points nowhere: nothing here.
        }
    };
    // First the folders the launchers name, on whatever drive reaches them.
    for (const platform::NamedFolder& named : prefix.Named) {
        std::string folder;
        try {
            folder = files.WindowsOf(named.Folder);
        } catch (const platform::RuntimeError&) {
            continue;
        }
        while (folder.size() > 2 && folder.back() == '\\') folder.pop_back();
        consider(folder, named.Origin);
    }
    const platform::LauncherOrigin origin = UnnamedOrigin(prefix);
    for (const char* place : {":\\sierra\\gpl", ":\\games\\sierra\\gpl"})
        for (const platform::Drive& drive : drives.Drives())
            if (!platform::IsWideDrive(drive, home))
                consider(drive.Letter + std::string(place), origin);
    // Then every folder of the drives that holds gpl.exe and driver.ini.
    for (const platform::Drive& drive : drives.Drives()) {
        if (WalkedPast(drive, prefix.Prefix, home)) continue;
        for (const std::string& relative :
             hunt.FoldersHolding(drive.Root, {"gpl.exe", "driver.ini"}, "windows", kDriveWalk))
            consider(drive.Letter + std::string(":") + (relative.empty() ? "" : "\\" + relative),
                     origin);
    }
    return found;
}

}  // namespace

std::vector<Installation> SearchPrefix(const platform::FoundPrefix& prefix, const fs::path& home) {
    std::vector<Installation> installations;
    platform::FolderHunt hunt;
    for (FoundGpl& gpl : SearchOnePrefix(prefix, home, hunt))
        installations.push_back(std::move(gpl.Found));
    return installations;
}

std::vector<Installation> FindInstallations(const platform::SearchHome& where,
                                            const fs::path& first,
                                            std::vector<std::string>* notes) {
    // The search has already kept each prefix once; only the run's own prefix may be among them.
    std::vector<platform::FoundPrefix> prefixes;
    if (!first.empty()) prefixes.push_back({first, {}});
    const auto firstIdentity = FolderIdentity(first);
    platform::LauncherFiles launcherFiles;
    const std::vector<platform::FoundPrefix> others =
        where.Home.empty() ? std::vector<platform::FoundPrefix>()
                           : platform::FindWinePrefixes(where, launcherFiles);
    if (notes) *notes = launcherFiles.Notes();
    for (const platform::FoundPrefix& found : others) {
        const bool isFirst =
            !first.empty() && (found.Prefix.lexically_normal() == first.lexically_normal() ||
                               (firstIdentity && FolderIdentity(found.Prefix) == firstIdentity));
        if (isFirst) {
            prefixes.front().Origin = found.Origin;
            prefixes.front().Named = found.Named;
        } else {
            prefixes.push_back(found);
        }
    }
    platform::FolderHunt hunt;
    std::vector<FoundGpl> all;
    for (const platform::FoundPrefix& prefix : prefixes) {
        std::vector<FoundGpl> found = SearchOnePrefix(prefix, where.Home, hunt);
        std::move(found.begin(), found.end(), std::back_inserter(all));
    }
    // A folder reached only through a drive that reaches everything is listed once, and not at
    // all when a prefix has it on a drive of its own.
    std::set<std::pair<dev_t, ino_t>> own, listedWide;
    for (const FoundGpl& gpl : all)
        if (!gpl.Wide && gpl.Identity) own.insert(*gpl.Identity);
    std::vector<Installation> installations;
    for (FoundGpl& gpl : all) {
        if (gpl.Wide && gpl.Identity &&
            (own.count(*gpl.Identity) != 0 || !listedWide.insert(*gpl.Identity).second))
            continue;
        installations.push_back(std::move(gpl.Found));
    }
    return installations;
}

platform::LauncherOrigin OriginOfInstallation(const platform::SearchHome& where,
                                              const Installation& installation) {
    const auto identity = FolderIdentity(installation.Prefix);
    if (!identity || where.Home.empty()) return {};
    for (const platform::FoundPrefix& found : platform::FindWinePrefixes(where)) {
        if (FolderIdentity(found.Prefix) != identity) continue;
        try {
            // The file system keeps a reference to its drive table: the table outlives it.
            const platform::DriveTable drives =
                platform::DriveTable::FromWinePrefix(installation.Prefix);
            const platform::FileSystem files(drives);
            const fs::path folder = files.Native(FolderOfPath(installation.DriverIniFile));
            for (const platform::NamedFolder& named : found.Named)
                if (std::error_code ec; fs::equivalent(named.Folder, folder, ec))
                    return named.Origin;
        } catch (const platform::RuntimeError&) {
        }
        return UnnamedOrigin(found);
    }
    return {};
}

bool SameInstallation(const Installation& a, const Installation& b) {
    if (!platform::SamePrefix(a.Prefix, b.Prefix)) return false;
    if (platform::EqualsNoCase(a.DriverIniFile, b.DriverIniFile)) return true;
    try {
        const platform::DriveTable drives = platform::DriveTable::FromWinePrefix(a.Prefix);
        const platform::FileSystem files(drives);
        std::error_code ec;
        return fs::equivalent(files.Native(a.DriverIniFile), files.Native(b.DriverIniFile), ec);
    } catch (const platform::RuntimeError&) {
        return false;
    }
}

bool InstallationExists(const Installation& installation) {
    try {
        const platform::DriveTable drives =
            platform::DriveTable::FromWinePrefix(installation.Prefix);
        return StoredDriverIniProblem(platform::FileSystem(drives), installation.DriverIniFile)
            .empty();
    } catch (const platform::RuntimeError&) {
        return false;
    }
}

std::optional<Installation> InstallationOfPath(const ProgramValues& pv, const std::string& path) {
    if (pv.Env.WinePrefix.empty()) return std::nullopt;
    try {
        const auto place = platform::PlaceInPrefix(pv.Files().Native(path), pv.Env.Home);
        if (!place) return std::nullopt;
        return Installation{place->Prefix, place->WindowsPath};
    } catch (const platform::RuntimeError&) {
        return std::nullopt;
    }
}

std::string InItsOwnPrefix(ProgramValues& pv, const std::string& path) {
    const auto place = InstallationOfPath(pv, path);
    if (!place) return path;
    if (!platform::SamePrefix(place->Prefix, pv.Env.WinePrefix))
        UseInstallationPrefix(pv, place->Prefix);
    return place->DriverIniFile;
}

std::string StoredPrefixOf(const ProgramValues& pv) {
    return platform::IsWinePrefix(pv.Env.WinePrefix) ? pv.Env.WinePrefix.string() : "";
}

void UseInstallationPrefix(ProgramValues& pv, const fs::path& prefix) {
    pv.Env.UsePrefix(prefix);
    InitAppPath(pv);
    if (!pv.DriverWorkFile.empty()) pv.DriverWorkFile = pv.AppPath + "driver.zorvex";
}

std::shared_ptr<ProgramValues::HeldInstallation> TakeInstallationLock(ProgramValues& pv,
                                                                      platform::Ui& ui,
                                                                      const std::string& gplPath) {
    const fs::path folder = pv.Files().Native(gplPath);
    std::error_code ec;
    pv.InstallationRefused = false;
    // The installation already held stays held: a second lock by this run would wait on itself.
    if (pv.InstallationLock && pv.InstallationLock->Lock.Usable() &&
        fs::equivalent(pv.InstallationLock->Folder, folder, ec))
        return pv.InstallationLock;
    auto held = std::make_shared<ProgramValues::HeldInstallation>(ProgramValues::HeldInstallation{
        platform::ProgramLock::TakeInstallation(folder, pv.Env.LockWait), folder});
    if (held->Lock.Usable()) return held;
    pv.InstallationRefused = true;
    if (held->Lock.Result() == platform::ProgramLock::State::Busy)
        ui.ShowMessage("Movrand is already running on the GPL installation " + gplPath +
                       " (perhaps for another user, or with other settings). Nothing was done; "
                       "try again when it has finished.");
    else if (held->Lock.Error() == ELOOP)
        ui.ShowMessage("The GPL installation " + gplPath + " cannot be locked: its lock file " +
                       gplPath + "movrand\\movrand.lock, or the folder " + gplPath +
                       "movrand, is a link or not of the kind it should be. Nothing was done.");
    else
        ui.ShowMessage("The GPL installation " + gplPath + " cannot be locked: " +
                       std::generic_category().message(held->Lock.Error()) + ".");
    return nullptr;
}

bool LockInstallation(ProgramValues& pv, platform::Ui& ui, const std::string& gplPath) {
    auto held = TakeInstallationLock(pv, ui, gplPath);
    if (!held) return false;
    pv.InstallationLock = std::move(held);
    return true;
}

}  // namespace movrand
