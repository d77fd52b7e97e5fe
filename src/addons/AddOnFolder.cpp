// SPDX-License-Identifier: GPL-3.0-or-later
#include "addons/AddOnFolder.h"

#include "addons/AddOnNames.h"
#include "addons/SafeNames.h"
#include "platform/ErrorTrap.h"
#include "platform/Text.h"
#include "roster/IniFunctions.h"
#include "roster/clsIniFile.h"

namespace movrand {

namespace {
std::string Lower(const std::string& text) {
    return platform::LowerCase(text);
}
const std::string kNotFoundLower = "not found!";
}  // namespace

std::string MarkerPath(const std::string& addOnFolder) {
    return addOnFolder + "\\zorvexcar.zorvex";
}

bool IsAddOnFolder(const ProgramValues& pv, const std::string& addOnFolder) {
    return pv.Files().FileExists(MarkerPath(addOnFolder));
}

std::string KindKey(const std::string& description) {
    std::string key;
    for (char c : description)
        if (c != ' ') key += c;
    return Lower(key);
}

std::string AddOnTeam(ProgramValues& pv, platform::Ui& ui, const std::string& addOnFolder) {
    return Lower(ReadIniValue(pv, ui, "header", "team", MarkerPath(addOnFolder)));
}

std::vector<AddOnEntry> ListAddOnEntries(ProgramValues& pv, platform::Ui& ui,
                                         const std::string& addOnFolder) {
    const std::string marker = MarkerPath(addOnFolder);
    // A marker that is a link, a FIFO or a device is named, never read.
    if (const std::string kind = pv.Files().KindAt(marker); !kind.empty() && kind != "a file") {
        platform::ReportTrappedError(
            ui, platform::TrapForm::Information, pv.ProgramName, platform::kPathFileAccessError,
            "Cannot read " + marker + ": it is " + kind + ", not a regular file");
        return {};
    }
    std::vector<AddOnEntry> entries;
    for (int n = 1;; ++n) {
        const std::string description =
            ReadIniValue(pv, ui, "files", "file" + std::to_string(n) + "desc", marker);
        if (description == kNotFound) break;
        entries.push_back({n, description, EntryKind(pv, ui, addOnFolder, description)});
    }
    return entries;
}

std::string EntryKind(ProgramValues& pv, platform::Ui& ui, const std::string& addOnFolder,
                      const std::string& description) {
    return Lower(ReadIniValue(pv, ui, "files", KindKey(description), MarkerPath(addOnFolder)));
}

int EntryNumberOf(ProgramValues& pv, platform::Ui& ui, const std::string& addOnFolder,
                  const std::string& entryName) {
    const std::string marker = MarkerPath(addOnFolder);
    const std::string wanted = Lower(entryName);
    for (int n = 1;; ++n) {
        const std::string value =
            Lower(ReadIniValue(pv, ui, "files", "file" + std::to_string(n) + "desc", marker));
        if (value == kNotFoundLower) return 0;
        if (value == wanted) return n;
    }
}

std::string StandardFolderOf(ProgramValues& pv, platform::Ui& ui, const std::string& addOnFolder) {
    const std::string marker = MarkerPath(addOnFolder);
    const std::string first = Lower(ReadIniValue(pv, ui, "files", "file1desc", marker));
    if (Lower(ReadIniValue(pv, ui, "files", KindKey(first), marker)) != "car") return "";
    return JoinPath(addOnFolder, first);
}

std::string DescriptionFileOf(ProgramValues& pv, platform::Ui& ui, const std::string& addOnFolder,
                              int number) {
    const std::string base =
        ReadIniValue(pv, ui, "files", std::to_string(number), MarkerPath(addOnFolder));
    if (base == kNotFound || !IsPlainName(base + kRecordExtension)) return "";
    return JoinPath(addOnFolder, base + kRecordExtension);
}

std::vector<std::string> EntryFiles(const platform::FileSystem& fs,
                                    const std::string& entryFolder) {
    std::vector<std::string> files;
    for (const platform::FolderEntry& entry : fs.Entries(entryFolder, false))
        if (!entry.IsFolder() && !IsEntryPicture(entry.Name)) files.push_back(entry.Name);
    return files;
}

std::string DescriptionText(const platform::FileSystem& fs, const std::string& file) {
    platform::TextReader in = fs.OpenTextFile(file);
    std::string text;
    for (bool first = true; !in.AtEndOfStream(); first = false) {
        if (!first) text += "\r\n";
        text += in.ReadLine();
    }
    return platform::Utf8FromAnsi(text);
}

}  // namespace movrand
