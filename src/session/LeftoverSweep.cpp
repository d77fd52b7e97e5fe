// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/LeftoverSweep.h"

#include <string_view>
#include <vector>

#include "carsets/CarSetApply.h"
#include "platform/SettingsKeys.h"
#include "platform/WholeFileReplace.h"

namespace movrand {

void SweepLeftoverTemporaries(const ProgramValues& pv) {
    try {
        platform::FileSystem fs = pv.Files();
        std::vector<platform::NativePath> folders = {
            pv.Env.NativeProgramFolder(), pv.Env.Settings.FolderOf(platform::kSettingsApp)};
        if (!pv.GPLPath.empty() && fs.Available()) {
            folders.push_back(fs.Native(pv.GPLPath));
            // The history's own files, and the folders a restore puts files back into.
            for (const char* history : {"movrand\\history", "movrand\\history\\steps"})
                if (fs.FolderExists(pv.GPLPath + history))
                    folders.push_back(fs.Native(pv.GPLPath + history));
            for (const char* parent : {"cars\\cars67", "cars\\replacedaccessories",
                                       "cars\\replacedcars", "movrand\\history\\content"}) {
                const std::string folder = pv.GPLPath + parent;
                if (!fs.FolderExists(folder)) continue;
                folders.push_back(fs.Native(folder));
                for (const std::string& name : fs.FolderNames(folder))
                    folders.push_back(fs.Native(folder + "\\" + name));
            }
        }
        platform::SweepOwnTemporaries(folders);
        // A folder the history was taking in from another file system when the run ended: its
        // source is still whole where it was, and no step names the copy.
        const std::string kept = pv.GPLPath + "movrand\\history\\kept";
        const std::string_view partial = platform::kPartialMoveSuffix;
        if (!pv.GPLPath.empty() && fs.Available() && fs.FolderExists(kept))
            for (const std::string& name : fs.FolderNames(kept))
                if (name.size() > partial.size() && name.ends_with(partial))
                    fs.DeleteFolder(kept + "\\" + name, true);
        // Earlier versions rebuilt the roster in this file; a run killed meanwhile left it.
        const std::string oldTemporary = pv.AppPath + "tempdriver.zorvex";
        if (fs.FileExists(oldTemporary)) fs.DeleteFile(oldTemporary);
    } catch (...) {
        // A folder that cannot be looked in holds nothing this run could remove.
    }
    if (!pv.GPLPath.empty()) carsets::SweepHalfBuiltSets(pv);
}

}  // namespace movrand
