#include "addons/AccessoryRemoval.h"

#include "addons/AccessoryRecord.h"
#include "addons/AddOnNames.h"
#include "addons/SafeNames.h"
#include "platform/WindowsPath.h"

namespace movrand {

namespace {

// The record's standard folder when it names one that can be looked in; "" otherwise. A value
// without a drive letter would be taken from the program's working folder, so it names none.
std::string UsableStandardFolder(const std::string& standard) {
    if (standard.empty() || standard == "not found!") return "";
    if (!platform::WindowsPath::Parse(standard).DriveLetter) return "";
    std::string folder = standard;
    while (!folder.empty() && folder.back() == '\\') folder.pop_back();
    return folder;
}

void DeleteIfPresent(platform::FileSystem& fs, const std::string& path) {
    if (fs.FileExists(path)) fs.DeleteFile(path, true);
}

}  // namespace

std::optional<std::string> TakeOutAccessory(ProgramValues& pv, platform::Ui& ui,
                                            platform::FileSystem& fs, const std::string& teamFolder,
                                            const std::string& entry) {
    if (!IsPlainName(entry)) return entry;
    const std::string record = JoinPath(teamFolder, AccessoryRecordName(entry));
    if (fs.FileExists(record)) {
        const AccessoryRecordContent content = ReadAccessoryRecord(pv, ui, record);
        for (const RecordedFile& file : content.Files)
            if (!IsPlainName(file.Name)) return file.Name;
        const std::string standard = UsableStandardFolder(content.Standard);
        const bool standardThere = !standard.empty() && fs.FolderExists(standard);
        for (const RecordedFile& file : content.Files) {
            const std::string installed = JoinPath(teamFolder, file.Name);
            DeleteIfPresent(fs, installed);
            if (!file.JustAdded() && standardThere && fs.FileExists(JoinPath(standard, file.Name)))
                fs.CopyFile(JoinPath(standard, file.Name), teamFolder + "\\");
        }
    }
    DeleteIfPresent(fs, JoinPath(teamFolder, AccessoryDescriptionName(entry)));
    DeleteIfPresent(fs, JoinPath(teamFolder, AccessoryBmpName(entry)));
    DeleteIfPresent(fs, JoinPath(teamFolder, AccessoryJpgName(entry)));
    // The record goes last: until everything else is gone the accessory stays listed, so an
    // interrupted removal can be run again.
    DeleteIfPresent(fs, record);
    return std::nullopt;
}

}  // namespace movrand
