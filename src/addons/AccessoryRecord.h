#pragma once
#include <string>
#include <vector>

#include "app/ProgramValues.h"
#include "platform/FileSystem.h"
#include "platform/Ui.h"

namespace movrand {

// Builds an accessory record ("zorvexacc_" + entry + ".zorvex") line by line, in the record's
// code page with CR LF line ends, and puts it in place in one step when it is saved. Removal
// trusts every line of a record, so a record is either whole or absent, never cut short by a
// failure or an interrupted run.
class AccessoryRecordWriter {
  public:
    AccessoryRecordWriter(platform::FileSystem& fs, std::string path)
        : fs_(fs), path_(std::move(path)) {}

    // "[standardfile]", "standard = " + folder and an empty line.
    void WriteStandardFolder(const std::string& folder);
    // "[accessories]": the start of the file list.
    void WriteFilesHeader();
    // "file" + n + " = " + name.
    void WriteFileLine(int n, const std::string& name);
    // name + " = replaced existing" or name + " = just added".
    void WriteStatusLine(const std::string& name, bool replacedExisting);
    // Writes the record beside its place, then puts it there over an older record.
    void Save();

  private:
    void Line(const std::string& text);
    platform::FileSystem& fs_;
    std::string path_;
    std::vector<std::string> lines_;
};

// One file as the record gives it back: its name and its status, both lower-cased.
struct RecordedFile {
    std::string Name;
    std::string Status;
    bool JustAdded() const { return Status == "just added"; }
};

// What a record says: where the files it replaced can be found again ("" or "not found!" when
// it names no folder) and its files, from "file1" up to the first missing number.
struct AccessoryRecordContent {
    std::string Standard;
    std::vector<RecordedFile> Files;
};

AccessoryRecordContent ReadAccessoryRecord(ProgramValues& pv, platform::Ui& ui,
                                           const std::string& path);

}  // namespace movrand
