#include "addons/AccessoryRecord.h"

#include "platform/Profile.h"
#include "platform/Text.h"
#include "roster/IniFunctions.h"

namespace movrand {

void AccessoryRecordWriter::Line(const std::string& text) {
    lines_.push_back(platform::AnsiFromUtf8(text));
}

void AccessoryRecordWriter::Save() {
    // The temporary name is no record's name, so a leftover of a failed save is never listed.
    const std::string temporary = path_.substr(0, path_.rfind('\\') + 1) + "~movrand-record.tmp";
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

AccessoryRecordContent ReadAccessoryRecord(ProgramValues& pv, platform::Ui& ui,
                                           const std::string& path) {
    AccessoryRecordContent content;
    // A record of many files is read once, not once per line.
    const platform::ProfileReadScope scope;
    for (int n = 1;; ++n) {
        const std::string name = platform::LowerCase(
            ReadIniValue(pv, ui, "accessories", "file" + std::to_string(n), path));
        if (name == "not found!") break;
        const std::string status =
            platform::LowerCase(ReadIniValue(pv, ui, "accessories", name, path));
        content.Files.push_back({name, status});
    }
    content.Standard = platform::LowerCase(ReadIniValue(pv, ui, "standardfile", "standard", path));
    return content;
}

}  // namespace movrand
