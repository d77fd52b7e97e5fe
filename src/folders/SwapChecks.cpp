// SPDX-License-Identifier: GPL-3.0-or-later
#include "folders/SwapChecks.h"

#include "folders/SwapJournal.h"
#include "platform/RuntimeError.h"

namespace movrand {

using platform::FileSystem;

namespace {

const std::string kReselect = " - Please select another folder.";
const std::string kOtherPlace = " - Please select another destination or name.";

// What a delete without forcing refuses: a read-only file or folder anywhere inside.
bool HoldsReadOnlyContent(const FileSystem& fs, const std::string& folder) {
    if (fs.IsReadOnly(folder)) return true;
    for (const std::string& name : fs.FileNames(folder))
        if (fs.IsReadOnly(folder + "\\" + name)) return true;
    for (const std::string& name : fs.FolderNames(folder))
        if (HoldsReadOnlyContent(fs, folder + "\\" + name)) return true;
    return false;
}

// Links, FIFOs, sockets and devices in a car folder: a swap carries only plain files and
// folders, so that nothing it brings in leads outside the game.
std::string NotPlainRefusal(const FileSystem& fs, const std::string& folder,
                            const std::string& advice) {
    if (fs.IsLink(folder)) return "The folder " + folder + " is a link to another place" + advice;
    const std::vector<std::string> odd = fs.NotPlainEntries(folder);
    if (odd.empty()) return "";
    std::string list;
    for (std::size_t i = 0; i < odd.size() && i < 10; ++i)
        list += (i ? ", \"" : "\"") + odd[i] + "\"";
    if (odd.size() > 10) list += " and " + std::to_string(odd.size() - 10) + " more";
    return "The folder " + folder +
           " holds links or other entries that are not plain files or folders, which a car folder swap does not carry: " +
           list + advice;
}

std::string CannotTake(const std::string& destination) {
    return "A new folder cannot be made in " + destination +
           " - Please select another destination.";
}

std::string InTheWay(const std::string& folder) {
    return "The folder " + folder +
           " is in the way of the car folder swap. Please move or delete it, then try again.";
}

}  // namespace

std::string SwapTarget(const CarFolderPage& page) {
    const bool separated = !page.Destination.empty() && page.Destination.back() == '\\';
    return page.Destination + (separated ? "" : "\\") + page.NewName;
}

std::string SwapPlaceRefusal(const FileSystem& fs, const std::string& live,
                             const CarFolderPage& page) {
    const std::string& source = page.Source;
    if (!fs.FolderExists(live)) return "The current GPL car folder " + live + " does not exist.";
    if (fs.IsWithin(source, live) && fs.IsWithin(live, source))
        return "The folder " + source + " is the current GPL car folder" + kReselect;
    if (fs.IsWithin(live, source))
        return "The folder " + source + " holds the current GPL car folder" + kReselect;
    if (fs.IsWithin(source, live))
        return "The folder " + source + " lies inside the current GPL car folder" + kReselect;
    if (std::string odd = NotPlainRefusal(fs, source, kReselect); !odd.empty()) return odd;
    if (!page.DeleteCurrent)
        if (std::string odd = NotPlainRefusal(fs, live, ". Please remove them, then try again.");
            !odd.empty())
            return odd;
    SwapJournal names;
    names.Live = live;
    for (const std::string& folder : {names.Copying(), names.Staged(), names.Exchange()})
        if (fs.FolderExists(folder) || fs.FileExists(folder)) return InTheWay(folder);
    if (page.DeleteCurrent) return "";

    if (!fs.FolderExists(page.Destination))
        return "The destination folder " + page.Destination +
               " does not exist - Please select another destination.";
    if (fs.IsReadOnly(page.Destination)) return CannotTake(page.Destination);
    names.Target = SwapTarget(page);
    const std::string to = "The current car folder cannot be moved to " + names.Target + ", which ";
    if (fs.IsWithin(names.Target, live))
        return to + "is the current GPL car folder or lies inside it" + kOtherPlace;
    if (fs.IsWithin(live, names.Target))
        return to + "holds the current GPL car folder" + kOtherPlace;
    if (fs.IsWithin(names.Target, source))
        return to + "is the folder that is to become the GPL car folder or lies inside it" +
               kOtherPlace;
    if (fs.IsWithin(source, names.Target))
        return to + "holds the folder that is to become the GPL car folder" + kOtherPlace;
    if (fs.FileExists(names.Target)) return to + "is a file" + kOtherPlace;
    for (const std::string& folder : {names.Aside(), names.TargetCopying()})
        if (fs.FolderExists(folder) || fs.FileExists(folder)) return InTheWay(folder);
    return "";
}

std::string SwapRoomRefusal(const FileSystem& fs, const std::string& live,
                            const CarFolderPage& page, bool overwrite) {
    const std::string target = SwapTarget(page);
    if (overwrite && HoldsReadOnlyContent(fs, target))
        return "The folder " + target + " holds read-only files, so it cannot be overwritten" +
               kOtherPlace;
    const std::string cars = live.substr(0, live.rfind('\\'));
    if ((!page.Move || !fs.SameDevice(page.Source, cars)) &&
        fs.FolderSize(page.Source) > fs.FreeSpace(cars))
        return "There is not enough free space beside the current GPL car folder for a copy of " +
               page.Source + kReselect;
    if (!page.DeleteCurrent && !fs.SameDevice(page.Destination, cars) &&
        fs.FolderSize(live) > fs.FreeSpace(page.Destination))
        return "There is not enough free space in " + page.Destination +
               " for the current GPL car folder - Please select another destination.";
    return "";
}

std::string SwapDestinationRefusal(FileSystem& fs, const CarFolderPage& page,
                                   const std::string& probe) {
    try {
        fs.CreateFolder(probe);
    } catch (const platform::RuntimeError&) {
        return CannotTake(page.Destination);
    }
    fs.DeleteFolder(probe, true);
    return "";
}

}  // namespace movrand
