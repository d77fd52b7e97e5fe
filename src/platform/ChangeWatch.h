// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <filesystem>

namespace movrand::platform {

// What the file-system service is about to do to a file or folder.
enum class ChangeKind {
    WriteFile,     // a file is written whole or replaced whole at Path (or a link made there)
    RewriteFile,   // a file at Path is rewritten in place (its old bytes are lost at once)
    Attributes,    // a file's permissions at Path change
    DeleteFile,    // the file at Path goes (also the source of a file move)
    CreateFolder,  // a folder is made at Path
    DeleteFolder,  // the folder at Path goes with everything in it
    MoveFolder,    // the folder at Path moves to To (a rename, or a copy and delete across drives)
    Exchange,      // the folders at Path and To change places
};

// One change, by native paths.
struct Change {
    ChangeKind Kind;
    std::filesystem::path Path;
    std::filesystem::path To;
};

// Hears of every change the file-system service makes, before it makes it, so that what the
// change overwrites or deletes can be kept first (the installation's history). A watch that
// raises stops the change before anything happened.
class ChangeWatch {
  public:
    virtual ~ChangeWatch() = default;
    // Before the change. For DeleteFolder, true means the watch has taken the folder away itself
    // (kept it), and the service deletes nothing.
    virtual bool Before(const Change& change) = 0;
    // After a MoveFolder or Exchange has happened.
    virtual void After(const Change& change) = 0;
};

}  // namespace movrand::platform
