// SPDX-License-Identifier: GPL-3.0-or-later
#include "installation/Installations.h"

#include <sys/stat.h>

#include <cerrno>
#include <set>
#include <system_error>

#include "common/Functions.h"
#include "installation/DriverIniSearch.h"
#include "installation/GplInstallation.h"
#include "platform/FileSystemErrors.h"
#include "platform/PrefixPlace.h"
#include "platform/Text.h"
#include "platform/WinePrefixes.h"

namespace movrand {
namespace fs = std::filesystem;

std::vector<std::string> SearchPrefix(const fs::path& prefix, const fs::path& home) {
    std::vector<platform::Drive> drives;
    const platform::DriveTable all = platform::DriveTable::FromWinePrefix(prefix);
    for (const platform::Drive& drive : all.Drives())
        if (!platform::IsWideDrive(drive, home)) drives.push_back(drive);
    const platform::DriveTable table(std::move(drives));
    const platform::FileSystem files(table);
    std::vector<std::string> found;
    std::set<fs::path> seen;
    for (const char* suffix : {":/sierra/gpl/driver.ini", ":/games/sierra/gpl/driver.ini"}) {
        for (const platform::Drive& drive : table.Drives()) {
            const std::string candidate = std::string(1, drive.Letter) + suffix;
            try {
                if (!files.ProbeFile(candidate)) continue;
                const std::string driverIni = files.ReportedPath(candidate);
                const std::string folder = FolderOfPath(driverIni);
                if (CheckGPLInstallation(files, folder.substr(0, folder.size() - 1)) !=
                    InstallationCheck::Valid)
                    continue;
                std::error_code ec;
                if (seen.insert(fs::weakly_canonical(files.Native(driverIni), ec)).second)
                    found.push_back(driverIni);
            } catch (const platform::RuntimeError&) {
                // A drive that is not ready, a link that loops or points nowhere: nothing here.
            }
        }
    }
    return found;
}

namespace {

// A folder's device and number, which tell two paths of one folder apart without a comparison
// per pair; nothing when it cannot be looked at.
std::optional<std::pair<dev_t, ino_t>> FolderIdentity(const fs::path& folder) {
    struct stat st {};
    if (folder.empty() || ::stat(folder.c_str(), &st) != 0) return std::nullopt;
    return std::pair{st.st_dev, st.st_ino};
}

}  // namespace

std::vector<Installation> FindInstallations(const platform::SearchHome& where,
                                            const fs::path& first) {
    // The search has already kept each prefix once; only the run's own prefix may be among them.
    std::vector<platform::FoundPrefix> prefixes;
    if (!first.empty()) prefixes.push_back({first, {}});
    const auto firstIdentity = FolderIdentity(first);
    const std::vector<platform::FoundPrefix> others = where.Home.empty()
                                                          ? std::vector<platform::FoundPrefix>()
                                                          : platform::FindWinePrefixes(where);
    for (const platform::FoundPrefix& found : others) {
        const bool isFirst =
            !first.empty() && (found.Prefix.lexically_normal() == first.lexically_normal() ||
                               (firstIdentity && FolderIdentity(found.Prefix) == firstIdentity));
        if (isFirst)
            prefixes.front().Origin = found.Origin;
        else
            prefixes.push_back(found);
    }
    std::vector<Installation> installations;
    for (const platform::FoundPrefix& prefix : prefixes)
        for (std::string& driverIni : SearchPrefix(prefix.Prefix, where.Home))
            installations.push_back({prefix.Prefix, std::move(driverIni), prefix.Origin});
    return installations;
}

platform::LauncherOrigin OriginOfPrefix(const platform::SearchHome& where, const fs::path& prefix) {
    const auto identity = FolderIdentity(prefix);
    if (!identity || where.Home.empty()) return {};
    for (const platform::FoundPrefix& found : platform::FindWinePrefixes(where))
        if (FolderIdentity(found.Prefix) == identity) return found.Origin;
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
