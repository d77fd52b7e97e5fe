// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

#include "common/ProgramValues.h"
#include "platform/Ui.h"
#include "wine/FileSystem.h"

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
    // The files in order, each with whether it replaced a file (the lines of the two above).
    void WriteFiles(const std::vector<std::pair<std::string, bool>>& files);
    // An empty line, "[movrand]" and "order = " + order: where the accessory stands among the
    // accessories of its team folder (readers that know only the two sections above pass over it).
    void WriteOrder(int order);
    // After the order: "size" + n + " = " + bytes and "hash" + n + " = " + fingerprint of each
    // file written so far, taken from the copy in `sourceFolder` that is about to be installed,
    // so that removal can tell whether the team folder still holds what was installed.
    void WriteFingerprintsFrom(const std::string& sourceFolder);
    // The same lines carried over from a record read earlier (files without them get none).
    void WriteFingerprints(const std::vector<struct RecordedFile>& files);
    // Writes the record beside its place, then puts it there over an older record.
    void Save();

  private:
    void Line(const std::string& text);
    platform::FileSystem& fs_;
    std::string path_;
    std::vector<std::string> lines_;
    std::vector<std::string> names_;
};

// One file as the record gives it back: its name as written and its status, lower-cased, and
// the size and fingerprint of what was installed ("" in records of older versions).
struct RecordedFile {
    std::string Name;
    std::string Status;
    std::string Size;
    std::string Hash;
    bool JustAdded() const { return Status == "just added"; }
    bool Fingerprinted() const { return !Size.empty() && !Hash.empty(); }
};

// What a record says: where the files it replaced can be found again ("" or "not found!" when
// it names no folder) and its files, from "file1" up to the first missing number. Order tells
// which of two accessories came later (the larger); records written before it was kept read 0.
struct AccessoryRecordContent {
    std::string Standard;
    std::vector<RecordedFile> Files;
    int Order = 0;
};

AccessoryRecordContent ReadAccessoryRecord(ProgramValues& pv, platform::Ui& ui,
                                           const std::string& path);

// The record's standard folder (as read) when it names one that can be looked in, without
// trailing "\"; "" otherwise. A value without a drive letter would be taken from the program's
// working folder, so it names none.
std::string UsableStandardFolder(const std::string& standard);

}  // namespace movrand
