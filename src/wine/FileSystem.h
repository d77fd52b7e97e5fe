// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ChangeWatch.h"
#include "platform/TextStream.h"
#include "wine/DriveTable.h"
#include "wine/WindowsPath.h"

namespace movrand::platform {

// The name a folder moved across file systems is copied under beside its place (see
// FileSystem::MoveFolder): what stands so is a copy a kill cut short, its source still whole.
inline constexpr const char* kPartialMoveSuffix = ".movrand-part";

class Descriptor;
class FaultPlan;
class FileWork;
class TouchedFiles;

// One entry of a folder as listed, links not followed.
struct FolderEntry {
    std::string Name;
    unsigned Mode = 0;  // type and permission bits, as stat gives them
    std::uintmax_t Size = 0;
    bool ReadOnly = false;
    bool IsFile() const { return (Mode & 0170000) == 0100000; }
    bool IsFolder() const { return (Mode & 0170000) == 0040000; }
};

// The file-system service. Every path is a Windows-notation text resolved through the drive
// table without regard to letter case. Failures raise RuntimeError with the platform's numbers.
// "Read-only" is a file without its owner's write permission; it is honoured even for root.
// Files are replaced whole: a copy is written beside its target and then renamed over it, so a
// target is always either the old or the new file.
class FileSystem {
  public:
    // `work`, when given, hears of every file that a folder copy or a copy or move of a list of
    // files carries, so long work can be shown. `watch`, when given, hears of every change before
    // it is made (see ChangeWatch.h).
    explicit FileSystem(const DriveTable& drives, FaultPlan* faults = nullptr,
                        FileWork* work = nullptr, ChangeWatch* watch = nullptr)
        : paths_(drives), faults_(faults), work_(work), watch_(watch) {}
    // The service keeps a reference to its drive table: a temporary table would not outlive it.
    explicit FileSystem(DriveTable&& drives, FaultPlan* faults = nullptr, FileWork* work = nullptr,
                        ChangeWatch* watch = nullptr) = delete;

    // Below `folder` (the installation in use) every folder the service opens, writes into or
    // moves out of is reached without following a link: each component is opened relative to
    // the one before, and a link met on the way is refused with its path. The folder itself,
    // and the way to it (a drive's mapping, a place the user chose), may be links.
    void GuardBelow(const std::string& folder);
    // The same below a stored car folder outside it, which itself must be no link. Only with a
    // guarded installation.
    void GuardStoredBelow(const std::string& folder);
    // Long work other than a copy, told to the work it was made with (if any): a stage of
    // `files` files (more announced as they are known), then each file as it is reached, or a
    // batch of `files` files at once, `path` the last of them (see FileWork.h).
    void WorkStage(const std::string& doing, int files) const;
    void WorkAhead(int files) const;
    void WorkReached(const std::string& path, int files = 1) const;
    // Writes to the disk every file this service (and its copies) wrote under its own name and
    // every folder whose entries it changed since the last call: few by fsync each, many by one
    // syncfs. Files replaced whole are synced as they are replaced.
    void SyncTouched();

    const std::vector<Drive>& Drives() const { return paths_.Drives().Drives(); }
    // The service can work only when the machine has at least one drive.
    bool Available() const { return !Drives().empty(); }
    // A drive is ready when its root folder exists.
    bool DriveReady(char letter) const;

    bool FileExists(const std::string& path) const;
    // Like FileExists, but only a missing file (or folder on its way) answers false; a drive
    // that is not ready raises 71 and any other failure raises its error.
    bool ProbeFile(const std::string& path) const;
    bool FolderExists(const std::string& path) const;
    // The path with every existing component in the case stored on disk.
    std::string ReportedPath(const std::string& path) const { return paths_.Reported(path); }
    // True when `path` is `folder` itself or lies anywhere inside it, after resolving letter
    // case, "..", links and drives that map the same place (C:\x and Z:\...\drive_c\x).
    bool IsWithin(const std::string& path, const std::string& folder) const;
    // True when `path` exists and, followed through every link to what it finally names, lies
    // inside `folder`; false for a link that leads outside it or nowhere.
    bool StaysWithin(const std::string& path, const std::string& folder) const;

    // The entries of a folder, read once, in the one listing order. The folder itself must not be a
    // link (unless it is a drive's root). Without `details` only the type is filled in, as the
    // listing gives it, with no look at each entry.
    std::vector<FolderEntry> Entries(const std::string& folder, bool details = true) const;
    // Everything under a folder that is neither a regular file nor a folder (links, FIFOs,
    // sockets, devices), as paths relative to it; links are not followed.
    std::vector<std::string> NotPlainEntries(const std::string& folder) const;
    bool IsLink(const std::string& path) const;
    // True for a regular file that is no link.
    bool IsPlainFile(const std::string& path) const;
    // What stands at a path, links not followed ("a file", "a folder", "a link", "a FIFO", "a
    // socket", "a device"), or "" when nothing does.
    std::string KindAt(const std::string& path) const;

    // Names of the files / subfolders of a folder, in the one fixed listing order (by name,
    // without regard to case). Raises 76 when the folder does not exist.
    std::vector<std::string> FileNames(const std::string& folder) const;
    std::vector<std::string> FolderNames(const std::string& folder) const;

    void CreateFolder(const std::string& path);
    // Without forcing, a folder holding read-only content is refused (70) before anything is
    // deleted. Links inside are removed, never followed.
    void DeleteFolder(const std::string& path, bool force = false);
    // Renames; across devices copies under the name destination + kPartialMoveSuffix, checks the
    // copy whole (HoldsTree both ways), renames it into place synced, and only then deletes the
    // source.
    void MoveFolder(const std::string& source, const std::string& destination);
    // Moves a folder by renaming it. False, with nothing changed, where the two places lie on
    // different file systems.
    bool RenameFolder(const std::string& source, const std::string& destination);
    // Copies a folder and everything in it; an existing destination is merged into. A link or
    // anything else that is neither a file nor a folder is refused, never followed.
    void CopyFolder(const std::string& source, const std::string& destination,
                    bool overwrite = true);
    // A destination ending with "\" names a folder that receives the file under its own name.
    void CopyFile(const std::string& source, const std::string& destination, bool overwrite = true);
    void MoveFile(const std::string& source, const std::string& destination);
    // CopyFile / MoveFile of each named file of one folder into another, in the order given,
    // each a step of its own (it fails alone, and the fault hook sees it). The destination is
    // listed once, so many files go in without a search of the folder for each name. A file that
    // has no earlier one of its name to replace is written under its own name straight away.
    void CopyFilesInto(const std::string& sourceFolder, const std::vector<std::string>& names,
                       const std::string& destinationFolder, bool overwrite = true);
    void MoveFilesInto(const std::string& sourceFolder, const std::vector<std::string>& names,
                       const std::string& destinationFolder);
    // Those of the named files of `sourceFolder` that `destinationFolder` holds under the very
    // same name with the same bytes, permissions and modification time (links not followed):
    // copying them over would change nothing. They are synced with the files the service
    // writes (SyncTouched), as a run cut short may have left them unsynced.
    std::vector<std::string> SameFilesIn(const std::string& sourceFolder,
                                         const std::vector<std::string>& names,
                                         const std::string& destinationFolder);
    void DeleteFile(const std::string& path, bool force = false);
    // DeleteFile of each named file of one folder, the folder opened once.
    void DeleteFilesIn(const std::string& folder, const std::vector<std::string>& names,
                       bool force = false);
    // Gives a file or folder a new name in the same folder.
    void Rename(const std::string& path, const std::string& newName);
    // Replaces a file whole with these bytes: written beside it, synced, renamed over it and its
    // folder synced. A read-only file is refused (70).
    void WriteWholeFile(const std::string& path, std::string_view bytes);
    // Puts `source` in the place of `target` in one step (both on one drive).
    void ReplaceFile(const std::string& source, const std::string& target);
    // Puts each of two folders in the other's place in one step (both on one drive). False,
    // with nothing changed, where the file system cannot do it in one step.
    bool ExchangeFolders(const std::string& a, const std::string& b);
    // The number of a folder on its file system (its inode), 0 when there is no folder: it
    // stays the same when the folder is renamed on its drive or the drive is mounted again.
    std::uintmax_t FolderNumber(const std::string& path) const;
    // True when every folder, file and link under `part` is at the same place under `whole`
    // (files of the same size, links as links), leaving out an entry named `ignored` at the top
    // of `part`.
    bool HoldsTree(const std::string& whole, const std::string& part,
                   const std::string& ignored = "") const;
    // Bytes a copy of a folder takes at the least: each file in whole 4 KiB blocks, a block for
    // each folder, link and empty file (links not followed).
    std::uintmax_t FolderSize(const std::string& path) const;
    // Writes everything pending on the file system of an existing folder to the disk, so that
    // files just copied there outlast a power cut.
    void SyncDisk(const std::string& folder) const;
    // Bytes free for this user on the file system of an existing folder.
    std::uintmax_t FreeSpace(const std::string& folder) const;
    // True when two existing paths lie on one file system.
    bool SameDevice(const std::string& a, const std::string& b) const;

    TextReader OpenTextFile(const std::string& path) const;
    TextWriter CreateTextFile(const std::string& path, bool overwrite = true);
    // Opens a file, made when missing, for lines written after what it holds.
    TextWriter AppendTextFile(const std::string& path);

    bool IsReadOnly(const std::string& path) const;
    void SetReadOnly(const std::string& path, bool readOnly);
    std::uintmax_t FileSize(const std::string& path) const;

    // The whole content of a file, as bytes.
    std::string ReadAllBytes(const std::string& path) const;
    // The whole content of one of the program's own records: only a regular file that is no
    // link and holds at most `most` bytes is read; anything else is refused, naming it.
    std::string ReadRecord(const std::string& path, std::uintmax_t most) const;

    // Opens a folder for work inside it, as the service itself does (no link below a guarded
    // folder).
    Descriptor OpenFolder(const std::string& folder) const;
    // The folder that holds `path`, opened as OpenFolder opens it; `name` receives the path's
    // last component in its stored case.
    Descriptor OpenParent(const std::string& path, std::string& name) const;

    const PathResolver& Paths() const { return paths_; }
    std::filesystem::path Native(const std::string& path) const { return paths_.ToNative(path); }
    std::string WindowsOf(const std::filesystem::path& native) const {
        return paths_.ToWindows(native);
    }

  private:
    void Mutating(const std::string& what);
    // Tells the watch of a change about to be made; true when it took a folder away itself.
    bool Watch(ChangeKind kind, const std::filesystem::path& path,
               const std::filesystem::path& to = {}, int folder = -1);
    void Watched(ChangeKind kind, const std::filesystem::path& path,
                 const std::filesystem::path& to);
    void Touch(int folder, std::vector<std::string> names = {});
    void MoveOneFile(int from, const std::string& name, const std::string& fromShown, int to,
                     const std::string& toName, const std::string& toShown);
    void CopyFolderTree(const std::string& source, const std::string& destination, bool overwrite,
                        bool keepLinks);
    void CopyTree(int from, const std::string& fromShown, int to, const std::string& toShown,
                  bool made, bool overwrite, bool keepLinks);

    void Ahead(int files);
    void AheadInTree(const std::filesystem::path& folder);

    PathResolver paths_;
    FaultPlan* faults_;
    FileWork* work_;
    // The deepest stored car folder guarded that holds `path` (no components: none).
    const WindowsPath& Also(const WindowsPath& path) const;

    WindowsPath guard_;
    std::vector<WindowsPath> alsoGuarded_;
    bool guarded_ = false;
    std::shared_ptr<TouchedFiles> touched_;
    ChangeWatch* watch_;
};

}  // namespace movrand::platform
