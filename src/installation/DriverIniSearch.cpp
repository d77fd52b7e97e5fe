// SPDX-License-Identifier: GPL-3.0-or-later
#include "installation/DriverIniSearch.h"

#include "common/Functions.h"
#include "installation/GplInstallation.h"
#include "platform/RuntimeError.h"
#include "platform/Text.h"

namespace movrand {

using platform::RuntimeError;

std::string SearchDriverIni(const platform::FileSystem& fs) {
    for (const char* suffix : {":/sierra/gpl/driver.ini", ":/games/sierra/gpl/driver.ini"}) {
        for (const platform::Drive& drive : fs.Drives()) {
            const std::string candidate = std::string(1, drive.Letter) + suffix;
            try {
                if (fs.ProbeFile(candidate)) return fs.ReportedPath(candidate);
            } catch (const RuntimeError& e) {
                // An empty CD drive, an unmounted disk or a mapping to a folder that has gone
                // holds no driver.ini; any other failure ends the search.
                if (e.Number() != platform::kFileNotFound && e.Number() != platform::kDiskNotReady)
                    throw;
            }
        }
    }
    return "";
}

std::string StoredDriverIniProblem(const platform::FileSystem& fs, const std::string& path) {
    if (!fs.Available() || !fs.FileExists(path))
        return "The driver.ini file last used, " + path +
               ", could not be found. Movrand will look for it again.";
    const std::string folder = FolderOfPath(path);
    if (!platform::EqualsNoCase(path.substr(folder.size()), "driver.ini") || folder.empty() ||
        CheckGPLInstallation(fs, folder.substr(0, folder.size() - 1)) != InstallationCheck::Valid)
        return "The file last used as driver.ini, " + path +
               ", is not the driver.ini of a GPL installation. Movrand will look for it again.";
    return "";
}

}  // namespace movrand
