// SPDX-License-Identifier: GPL-3.0-or-later
#include "addons/InstallChecks.h"

#include <map>
#include <set>

#include "addons/AddOnNames.h"
#include "addons/SafeNames.h"
#include "platform/Text.h"

namespace movrand {

namespace {

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string QuotedList(const std::vector<std::string>& names) {
    std::string list;
    for (const std::string& name : names) list += (list.empty() ? "" : ", ") + Quoted(name);
    return list;
}

// The entries of the entry folder (pictures included) and the description file that are not
// plain files or folders: links, wherever they lead, FIFOs, sockets and devices. Nothing is
// read through a link, and nothing that could make a read wait forever is opened.
std::vector<std::string> NotPlainFiles(const platform::FileSystem& fs, const EntryToInstall& e) {
    std::vector<std::string> found;
    for (const platform::FolderEntry& entry : fs.Entries(e.EntryFolder, false))
        if (!entry.IsFile() && !entry.IsFolder()) found.push_back(entry.Name);
    if (!e.DescriptionFile.empty() && !fs.IsPlainFile(e.DescriptionFile))
        found.push_back(e.DescriptionFile.substr(e.DescriptionFile.rfind('\\') + 1));
    return found;
}

}  // namespace

std::string EntryRefusal(const platform::FileSystem& fs, const EntryToInstall& e) {
    if (e.IsAccessory && platform::EqualsNoCase(e.EntryName, kCompleteCar))
        return "The accessory cannot be added: its name " + Quoted(e.EntryName) +
               " is the name this program gives the installed car.";
    for (const std::string& name : e.Files) {
        if (!IsPlainName(name))
            return "The files cannot be added: the file " + Quoted(name) +
                   " of this entry does not have a usable file name.";
        if (IsProgramFileName(name))
            return "The files cannot be added: the file " + Quoted(name) +
                   " of this entry has a name this program keeps for its own records and pictures.";
        if (e.IsAccessory && !RecordCanCarry(name))
            return "The accessory cannot be added: the name of its file " + Quoted(name) +
                   " cannot be kept in the accessory record (it must not hold = ; or *, start with [ or read like file1). Please rename the file.";
    }
    if (const std::vector<std::string> odd = NotPlainFiles(fs, e); !odd.empty())
        return "The files cannot be added: the add-on holds links or other entries that are not plain files: " +
               QuotedList(odd) + ".";
    if (const std::string twin = FirstCaseDuplicate(e.Files); !twin.empty())
        return "The files cannot be added: the file " + Quoted(twin) +
               " of this entry has the name of another of its files in different letter case.";
    return "";
}

std::string TeamFolderClash(const platform::FileSystem& fs, const std::string& teamFolder,
                            const EntryToInstall& entry, const std::string& dataFile) {
    std::set<std::string> touched;
    for (const std::string& name : entry.Files) touched.insert(platform::LowerCase(name));
    std::map<std::string, std::vector<std::string>> byName;
    for (const std::string& name : fs.FileNames(teamFolder)) {
        const std::string lower = platform::LowerCase(name);
        if (entry.IsAccessory ? touched.count(lower) > 0 : lower != dataFile)
            byName[lower].push_back(name);
    }
    std::vector<std::string> clashing;
    for (const auto& [lower, names] : byName)
        if (names.size() > 1) clashing.insert(clashing.end(), names.begin(), names.end());
    if (clashing.empty()) return "";
    return "The files cannot be added: the team folder " + Quoted(teamFolder) +
           " holds files whose names differ only in letter case, which the game takes for one: " +
           QuotedList(clashing) + ". Please remove or rename all but one of each.";
}

}  // namespace movrand
