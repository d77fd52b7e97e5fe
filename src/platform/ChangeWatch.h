// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>

namespace movrand::platform {

struct FileFacts;

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
    // The open folder that holds Path's last component, where the service has it at hand (-1
    // otherwise): the entry can be looked at there by its name, with no walk of the path.
    int Folder = -1;
    // What stood at Path, as the caller looked at it right before (in Folder where given); the
    // watch need not look again. Nothing where the caller did not look.
    const FileFacts* Looked = nullptr;
};

// A file the service has just written whole: the fingerprint of the bytes it wrote, taken on
// the way (XXH3, 128 bits, as 32 hexadecimal digits), and what the file looked like right after.
struct WrittenFile {
    std::filesystem::path Path;
    std::string Hash;
    std::uint64_t Device = 0;
    std::uint64_t Number = 0;  // the inode
    std::uint64_t Size = 0;
    unsigned Mode = 0;  // permission bits
    std::int64_t ModifiedNs = 0;
    std::int64_t ChangedNs = 0;
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
    // True when the watch wants the fingerprint of each file the service writes whole: the
    // service then copies through its own buffer, fingerprints the bytes as they pass and tells
    // Wrote, so that nobody reads the file again for it.
    virtual bool TakesFingerprints() const { return false; }
    virtual void Wrote(const WrittenFile& file) { (void)file; }
};

}  // namespace movrand::platform
