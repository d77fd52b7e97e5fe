// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "wine/FileSystem.h"

namespace movrand::platform {

// The INI profile read and write the roster and marker files were written for.
//
// Reading: section and key names match without regard to case and to blanks around them; the
// first section of a name counts and the first line of a key within it; lines that begin with
// ";" and lines without "=" are no keys; a header is "[" up to the last "]" on its line (a line
// with no "]" is no header); blanks and tabs around a value are removed, then one pair of
// matching quotes around the whole value. The value is cut to bufferSize - 1 characters. A
// missing file, section or key gives the default. Texts are UTF-8; the file is Windows-1252.
std::string GetPrivateProfileString(const FileSystem& fs, const std::string& section,
                                    const std::string& key, const std::string& defaultValue,
                                    int bufferSize, const std::string& file);

// Writing: an existing key's line is replaced and every other byte of the file kept; a missing
// key is added at the end of its section, a missing section at the end of the file. The file is
// replaced in one step. A missing file is created. Returns true when written.
bool WritePrivateProfileString(FileSystem& fs, const std::string& section, const std::string& key,
                               const std::string& value, const std::string& file);

// Whether the file holds a section of that name (matched as the profile read matches it).
bool ProfileSectionExists(const FileSystem& fs, const std::string& section,
                          const std::string& file);

// While one lives, profile reads of a file that has not changed since it was last read reuse
// its lines and an index of its sections and keys: a loop of reads over a big roster or record
// costs about one read of the file instead of one read per value. A change made through the
// file system service or the profile write, or a file replaced or rewritten on disk, is read
// afresh. Scopes nest; what was kept is let go when the outermost ends.
class ProfileReadScope {
  public:
    ProfileReadScope();
    ~ProfileReadScope();
    ProfileReadScope(const ProfileReadScope&) = delete;
    ProfileReadScope& operator=(const ProfileReadScope&) = delete;
};

}  // namespace movrand::platform
