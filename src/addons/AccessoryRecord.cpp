// SPDX-License-Identifier: GPL-3.0-or-later
#include "addons/AccessoryRecord.h"

#include "addons/AddOnNames.h"
#include "platform/ContentHash.h"
#include "platform/Text.h"
#include "roster/IniFunctions.h"
#include "roster/clsIniFile.h"
#include "wine/Profile.h"
#include "wine/WindowsPath.h"

namespace movrand {

void AccessoryRecordWriter::Line(const std::string& text) {
    lines_.push_back(platform::AnsiFromUtf8(text));
}

void AccessoryRecordWriter::Save() {
    std::string text;
    for (const std::string& line : lines_) text += line + "\r\n";
    fs_.WriteWholeFile(path_, text);
}

void AccessoryRecordWriter::WriteStandardFolder(const std::string& folder) {
    Line("[standardfile]");
    Line("standard = " + folder);
    Line("");
}

void AccessoryRecordWriter::WriteFilesHeader() {
    Line("[accessories]");
}

void AccessoryRecordWriter::WriteFileLine(int n, const std::string& name) {
    Line("file" + std::to_string(n) + " = " + name);
    names_.push_back(name);
}

void AccessoryRecordWriter::WriteFingerprintsFrom(const std::string& sourceFolder) {
    for (std::size_t i = 0; i < names_.size(); ++i) {
        const std::string source = JoinPath(sourceFolder, names_[i]);
        const std::string n = std::to_string(i + 1);
        Line("size" + n + " = " + std::to_string(fs_.FileSize(source)));
        // An add-on's file may be a link within the add-on; what it names is what is installed.
        Line("hash" + n + " = " + platform::ContentHashOf(fs_.Native(source), true));
    }
}

void AccessoryRecordWriter::WriteFingerprints(const std::vector<RecordedFile>& files) {
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (!files[i].Fingerprinted()) continue;
        const std::string n = std::to_string(i + 1);
        Line("size" + n + " = " + files[i].Size);
        Line("hash" + n + " = " + files[i].Hash);
    }
}

void AccessoryRecordWriter::WriteStatusLine(const std::string& name, bool replacedExisting) {
    Line(name + (replacedExisting ? " = replaced existing" : " = just added"));
}

void AccessoryRecordWriter::WriteOrder(int order) {
    Line("");
    Line("[movrand]");
    Line("order = " + std::to_string(order));
}

void AccessoryRecordWriter::WriteFiles(const std::vector<std::pair<std::string, bool>>& files) {
    WriteFilesHeader();
    int n = 1;
    for (const auto& [name, replaced] : files) {
        WriteFileLine(n++, name);
        WriteStatusLine(name, replaced);
    }
}

namespace {

bool IsMadeOf(const std::string& text, const char* characters, std::size_t least,
              std::size_t most) {
    return text.size() >= least && text.size() <= most &&
           text.find_first_not_of(characters) == std::string::npos;
}

}  // namespace

AccessoryRecordContent ReadAccessoryRecord(ProgramValues& pv, platform::Ui& ui,
                                           const std::string& path) {
    AccessoryRecordContent content;
    // A record of many files is read once, not once per line.
    const platform::ProfileReadScope scope;
    for (int n = 1;; ++n) {
        const std::string name =
            ReadIniValue(pv, ui, "accessories", "file" + std::to_string(n), path);
        if (name == kNotFound) break;
        const std::string status =
            platform::LowerCase(ReadIniValue(pv, ui, "accessories", name, path));
        // A size or fingerprint that is not one the program writes counts as none.
        std::string size = ReadIniValue(pv, ui, "movrand", "size" + std::to_string(n), path);
        if (!IsMadeOf(size, "0123456789", 1, 20)) size.clear();
        std::string hash =
            platform::LowerCase(ReadIniValue(pv, ui, "movrand", "hash" + std::to_string(n), path));
        if (!IsMadeOf(hash, "0123456789abcdef", 16, 16)) hash.clear();
        content.Files.push_back({name, status, size, hash});
    }
    content.Standard = platform::LowerCase(ReadIniValue(pv, ui, "standardfile", "standard", path));
    const std::string order = ReadIniValue(pv, ui, "movrand", "order", path);
    if (!order.empty() && order.size() < 10 &&
        order.find_first_not_of("0123456789") == std::string::npos)
        content.Order = std::stoi(order);
    return content;
}

std::string UsableStandardFolder(const std::string& standard) {
    if (standard.empty() || standard == "not found!") return "";
    if (!platform::WindowsPath::Parse(standard).DriveLetter) return "";
    std::string folder = standard;
    while (!folder.empty() && folder.back() == '\\') folder.pop_back();
    return folder;
}

}  // namespace movrand
