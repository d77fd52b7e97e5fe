#include "addons/AccessoryRemoval.h"

#include "addons/AccessoryRecord.h"
#include "addons/AccessoryStack.h"
#include "addons/AddOnNames.h"
#include "addons/SafeNames.h"
#include "platform/Text.h"

namespace movrand {

namespace {

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
        // A file that an accessory installed later also carries is that one's copy: it stays,
        // and what this one kept of it is handed on.
        const std::set<std::string> stay = HandOnToLaterAccessories(
            pv, ui, fs, teamFolder, entry, content, standardThere ? standard : "");
        for (const RecordedFile& file : content.Files) {
            if (stay.count(platform::LowerCase(file.Name))) continue;
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
