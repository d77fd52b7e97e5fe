// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

namespace movrand {

// True when the name stands for one file or folder inside the folder it is joined to: not
// empty, no "\", "/" or ":" and not "." or "..". Add-on authors' names that fail this would
// make the installer reach outside the add-on folder or the team folder.
bool IsPlainName(const std::string& name);

// True when a value written into an accessory record reads back unchanged through the
// cleaning of every INI read: no ";", "*" or control characters, no blanks at its ends, not in
// quotes, not longer than a read returns, and only characters the record's code page has.
bool ValueSurvivesRecord(const std::string& value);

// True when the accessory record can hold the file name and give it back unchanged: its lines
// are INI text read back through the cleaning of every INI read, so the name may not hold "=",
// ";", "*" or control characters, start with "[", have blanks or tabs at its ends, stand in
// quotes, read like a record key ("file" followed by digits), be longer than a read returns,
// or hold characters the record's code page lacks.
bool RecordCanCarry(const std::string& name);

// The first name of the list that equals an earlier one without regard to case (the team
// folder and the record could hold only one of them), or "".
std::string FirstCaseDuplicate(const std::vector<std::string>& names);

}  // namespace movrand
