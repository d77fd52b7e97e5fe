#include "addons/AccessoryRecord.h"

#include "addons/AddOnNames.h"
#include "platform/Profile.h"
#include "platform/Text.h"
#include "platform/WindowsPath.h"
#include "roster/IniFunctions.h"
#include "roster/clsIniFile.h"

namespace movrand {

void AccessoryRecordWriter::Line(const std::string& text) {
    lines_.push_back(platform::AnsiFromUtf8(text));
}

void AccessoryRecordWriter::Save() {
    // The temporary name is no record's name, so a leftover of a failed save is never listed.
    const std::string temporary = path_.substr(0, path_.rfind('\\') + 1) + kRecordTemporary;
    try {
        platform::TextWriter out = fs_.CreateTextFile(temporary);
        for (const std::string& line : lines_) out.WriteLine(line);
        out.Close();
        fs_.ReplaceFile(temporary, path_);
    } catch (...) {
        try {
            if (fs_.FileExists(temporary)) fs_.DeleteFile(temporary, true);
        } catch (...) {
            // The error being reported matters more than the leftover.
        }
        throw;
    }
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
        content.Files.push_back({name, status});
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
