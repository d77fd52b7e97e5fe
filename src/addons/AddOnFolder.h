// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

#include "common/ProgramValues.h"
#include "platform/Ui.h"
#include "wine/FileSystem.h"

namespace movrand {

// One entry an add-on folder offers: a complete car or an accessory.
struct AddOnEntry {
    int Number = 0;           // 1, 2, 3 ... (key "file" + Number + "desc")
    std::string Description;  // as the marker gives it; also the name of its entry folder
    std::string Kind;         // the value under KindKey(Description), lower-cased
    bool IsAccessory() const { return Kind == "accessory"; }
};

// The marker file of an add-on folder: folder + "\zorvexcar.zorvex".
std::string MarkerPath(const std::string& addOnFolder);

// A folder is an add-on folder exactly when it holds the marker file.
bool IsAddOnFolder(const ProgramValues& pv, const std::string& addOnFolder);

// The key under which the marker gives an entry's kind: its description without blanks,
// lower-cased ("Red Wheels" -> "redwheels"; keys match without regard to case).
std::string KindKey(const std::string& description);

// The marker's "team" value of section "header", lower-cased ("not found!" when missing).
std::string AddOnTeam(ProgramValues& pv, platform::Ui& ui, const std::string& addOnFolder);

// The entries of the marker in order: "file1desc", "file2desc" ... up to the first missing key.
std::vector<AddOnEntry> ListAddOnEntries(ProgramValues& pv, platform::Ui& ui,
                                         const std::string& addOnFolder);

// The kind of an entry, lower-cased ("not found!" when the marker does not say).
std::string EntryKind(ProgramValues& pv, platform::Ui& ui, const std::string& addOnFolder,
                      const std::string& description);

// The number of the entry with this description (compared without regard to case), or 0 when
// the marker lists none; the search stops at the first missing "file" + N + "desc".
int EntryNumberOf(ProgramValues& pv, platform::Ui& ui, const std::string& addOnFolder,
                  const std::string& entryName);

// The folder whose files an accessory of this add-on folder replaces: add-on folder + "\" + the
// description of entry 1 in lower case when entry 1 is a car, else "".
std::string StandardFolderOf(ProgramValues& pv, platform::Ui& ui, const std::string& addOnFolder);

// The description file that key N of section "files" names (add-on folder + "\" + value +
// ".zorvex"), or "" when the key is missing or does not name a file inside the add-on folder.
std::string DescriptionFileOf(ProgramValues& pv, platform::Ui& ui, const std::string& addOnFolder,
                              int number);

// The files an entry installs: what lies directly in its folder, folders and its pictures left
// out, in the listing order (links and FIFOs too, for the checks to refuse). Raises 76 when the
// folder does not exist.
std::vector<std::string> EntryFiles(const platform::FileSystem& fs, const std::string& entryFolder);

// The text of a description file as the description boxes show it: its lines in order, each
// break kept as CR LF (run together, "First line.Second line." would glue the words).
std::string DescriptionText(const platform::FileSystem& fs, const std::string& file);

}  // namespace movrand
