// SPDX-License-Identifier: GPL-3.0-or-later
#include "wine/FileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>

#include "platform/ChangeCount.h"
#include "platform/DiskSync.h"
#include "platform/FaultPlan.h"
#include "platform/FileHandles.h"
#include "platform/FileKeeping.h"
#include "platform/FileSystemErrors.h"
#include "platform/FileWork.h"
#include "platform/FolderEntries.h"
#include "platform/GroupShare.h"
#include "platform/GuardedPath.h"
#include "platform/RuntimeError.h"
#include "platform/Text.h"
#include "platform/WholeFileReplace.h"

namespace movrand::platform {
namespace fs = std::filesystem;

namespace {

// A folder just made as `name` in the open folder `parent` that its group may write (a prefix
// shared by a group's users; not one open to everyone, as /tmp is): it gets that folder's group
// and the group's permissions, whatever this user's umask closed.
void ShareLikeParent(int parent, const char* name) {
    struct stat folder {};
    if (::fstat(parent, &folder) != 0 || !(folder.st_mode & S_IWGRP) || (folder.st_mode & S_IWOTH))
        return;
    const Descriptor made(
        ::openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat st {};
    if (made.Get() < 0 || ::fstat(made.Get(), &st) != 0 || st.st_uid != ::geteuid()) return;
    const mode_t mode = GroupMode(folder, st.st_mode & 07777, true);
    if (st.st_gid != folder.st_gid || mode != (st.st_mode & 07777))
        TakeInstallationGroup(made.Get(), folder, mode);
}

}  // namespace

namespace {

fs::file_type TypeOf(const fs::path& p) {
    std::error_code ec;
    return fs::symlink_status(p, ec).type();
}

bool IsFolder(const fs::path& p) {
    std::error_code ec;
    return fs::is_directory(p, ec);
}

bool IsFile(const fs::path& p) {
    std::error_code ec;
    const auto status = fs::status(p, ec);
    return !ec && fs::exists(status) && !fs::is_directory(status);
}

bool ReadOnly(const fs::path& p) {
    std::error_code ec;
    const auto status = fs::symlink_status(p, ec);
    if (ec || fs::is_symlink(status)) return false;
    return (status.permissions() & fs::perms::owner_write) == fs::perms::none;
}

[[noreturn]] void Fail(const std::error_code& ec, bool isFolder, const std::string& path) {
    throw FileError(ec, isFolder, path);
}

std::error_code LastError() {
    return std::error_code(errno, std::generic_category());
}

bool ContainsReadOnly(const fs::path& folder) {
    std::error_code ec;
    for (fs::recursive_directory_iterator it(folder, fs::directory_options::none, ec), end;
         !ec && it != end; it.increment(ec)) {
        if (ReadOnly(it->path())) return true;
    }
    return false;
}

// Every entry under `part` is at the same place under `whole`: folders as folders, links as
// links to the same place, other files with the same size. An entry named `ignored` at the top
// of `part` is left out.
bool HoldsNativeTree(const fs::path& whole, const fs::path& part, const std::string& ignored) {
    std::error_code ec;
    for (fs::recursive_directory_iterator it(part, ec), end; !ec && it != end; it.increment(ec)) {
        if (it.depth() == 0 && !ignored.empty() && it->path().filename() == ignored) {
            it.disable_recursion_pending();
            continue;
        }
        const fs::path there = whole / it->path().lexically_relative(part);
        const auto type = it->symlink_status(ec).type();
        if (ec || TypeOf(there) != type) return false;
        std::error_code a, b;
        if (type == fs::file_type::symlink) {
            if (fs::read_symlink(it->path(), a) != fs::read_symlink(there, b) || a || b)
                return false;
        } else if (type != fs::file_type::directory) {
            if (fs::file_size(it->path(), a) != fs::file_size(there, b) || a || b) return false;
        }
    }
    return !ec;
}

bool SameTree(const fs::path& a, const fs::path& b) {
    return HoldsNativeTree(a, b, "") && HoldsNativeTree(b, a, "");
}

}  // namespace

namespace {
std::atomic<std::uint64_t> changes{0};
}  // namespace

std::uint64_t FileSystemChanges() {
    return changes.load();
}

void FileSystem::Mutating(const std::string& what) {
    ++changes;
    if (faults_) faults_->Check(what);
}

bool FileSystem::Watch(ChangeKind kind, const fs::path& path, const fs::path& to, int folder) {
    return watch_ && watch_->Before(Change{kind, path, to, folder});
}

void FileSystem::Watched(ChangeKind kind, const fs::path& path, const fs::path& to) {
    if (watch_) watch_->After(Change{kind, path, to});
}

bool FileSystem::DriveReady(char letter) const {
    const auto drive = paths_.Drives().Find(letter);
    return drive && IsFolder(drive->Root);
}

bool FileSystem::FileExists(const std::string& path) const {
    try {
        return IsFile(paths_.ToNative(path));
    } catch (const RuntimeError&) {
        return false;
    }
}

bool FileSystem::ProbeFile(const std::string& path) const {
    const WindowsPath parsed = WindowsPath::Parse(path);
    if (parsed.DriveLetter && !DriveReady(parsed.DriveLetter)) throw FileError(kDiskNotReady, path);
    const fs::path native = paths_.ToNative(path);
    std::error_code ec;
    const auto status = fs::status(native, ec);
    if (ec && ec != std::errc::no_such_file_or_directory && ec != std::errc::not_a_directory)
        Fail(ec, false, path);
    return !ec && fs::exists(status) && !fs::is_directory(status);
}

bool FileSystem::FolderExists(const std::string& path) const {
    try {
        return IsFolder(paths_.ToNative(path));
    } catch (const RuntimeError&) {
        return false;
    }
}

bool FileSystem::IsWithin(const std::string& path, const std::string& folder) const {
    std::error_code ec;
    fs::path inner = fs::weakly_canonical(paths_.ToNative(path), ec);
    if (ec) inner = paths_.ToNative(path).lexically_normal();
    fs::path outer = fs::weakly_canonical(paths_.ToNative(folder), ec);
    if (ec) outer = paths_.ToNative(folder).lexically_normal();
    // A trailing separator leaves an empty last element that would never match.
    if (!outer.empty() && outer.filename().empty()) outer = outer.parent_path();
    if (!inner.empty() && inner.filename().empty()) inner = inner.parent_path();
    const auto [end, ignored] =
        std::mismatch(outer.begin(), outer.end(), inner.begin(), inner.end());
    return end == outer.end();
}

bool FileSystem::StaysWithin(const std::string& path, const std::string& folder) const {
    std::error_code ec;
    const fs::path inner = fs::canonical(paths_.ToNative(path), ec);
    if (ec) return false;
    const fs::path outer = fs::canonical(paths_.ToNative(folder), ec);
    if (ec) return false;
    const auto [end, ignored] =
        std::mismatch(outer.begin(), outer.end(), inner.begin(), inner.end());
    return end == outer.end();
}

namespace {
std::vector<std::string> Names(const fs::path& folder, const std::string& shown, bool folders) {
    if (!IsFolder(folder)) throw FileError(kPathNotFound, shown);
    DIR* const dir = ::opendir(folder.c_str());
    if (!dir) Fail(std::error_code(errno, std::generic_category()), true, shown);
    const std::unique_ptr<DIR, int (*)(DIR*)> closer(dir, ::closedir);
    std::vector<std::string> names;
    const int error = platform::ForEachEntry(dir, [&](const dirent& entry) {
        // A link counts as what it leads to; one that leads nowhere is neither.
        bool isFolder = entry.d_type == DT_DIR;
        if (entry.d_type == DT_LNK || entry.d_type == DT_UNKNOWN) {
            struct stat st {};
            if (::fstatat(::dirfd(dir), entry.d_name, &st, 0) != 0) return;
            isFolder = S_ISDIR(st.st_mode);
        }
        if (isFolder == folders) names.emplace_back(entry.d_name);
    });
    if (error != 0) Fail(std::error_code(error, std::generic_category()), true, shown);
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return LessNoCase(a, b); });
    return names;
}
}  // namespace

std::vector<std::string> FileSystem::FileNames(const std::string& folder) const {
    return Names(paths_.ToNative(folder), folder, false);
}

std::vector<std::string> FileSystem::FolderNames(const std::string& folder) const {
    return Names(paths_.ToNative(folder), folder, true);
}

namespace {

// "C:\a\b" and "c.mip" make "C:\a\b\c.mip".
std::string Inside(const std::string& folder, const std::string& name) {
    if (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) return folder + name;
    return folder + "\\" + name;
}

// The Windows-notation folder of a path ("C:\a\b.txt" gives "C:\a").
std::string FolderOf(const std::string& path) {
    WindowsPath parsed = WindowsPath::Parse(path);
    if (!parsed.Components.empty()) parsed.Components.pop_back();
    return parsed.Text();
}

// One entry of an open folder, as its listing gives it (links not followed).
struct Listed {
    std::string Name;
    mode_t Type = 0;  // S_IFREG, S_IFDIR, S_IFLNK, ... (the format bits only)
    ino_t Number = 0;
};

std::vector<Listed> ListOpenFolder(int folder, const std::string& shown) {
    const int copy = ::fcntl(folder, F_DUPFD_CLOEXEC, 0);
    DIR* dir = copy < 0 ? nullptr : ::fdopendir(copy);
    if (!dir) {
        const int error = errno;
        if (copy >= 0) ::close(copy);
        throw ErrorAbout(error, "list folder", shown, true);
    }
    ::rewinddir(dir);
    std::vector<Listed> entries;
    errno = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        mode_t type = DTTOIF(entry->d_type);
        if (entry->d_type == DT_UNKNOWN) {
            struct stat st {};
            if (::fstatat(folder, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
            type = st.st_mode & S_IFMT;
        }
        entries.push_back({name, type, entry->d_ino});
        errno = 0;
    }
    const int error = errno;
    ::closedir(dir);
    if (error) throw ErrorAbout(error, "list folder", shown, true);
    return entries;
}

// The entries of an open folder by their lower-cased names: the first in the listing order when
// two names differ only in case, as a name is resolved everywhere else.
class FolderIndex {
  public:
    FolderIndex(int folder, const std::string& shown) {
        for (Listed& entry : ListOpenFolder(folder, shown)) {
            const std::string key = LowerCase(entry.Name);
            const auto found = entries_.find(key);
            if (found == entries_.end() || LessNoCase(entry.Name, found->second.Name))
                entries_[key] = std::move(entry);
        }
    }
    const Listed* Find(const std::string& name) const {
        const auto found = entries_.find(LowerCase(name));
        return found == entries_.end() ? nullptr : &found->second;
    }
    // The stored name a name reaches, or the name as given.
    std::string Resolve(const std::string& name) const {
        const Listed* found = Find(name);
        return found ? found->Name : name;
    }
    void Add(const std::string& name, mode_t type) {
        entries_.emplace(LowerCase(name), Listed{name, type, 0});
    }
    void Remove(const std::string& name) { entries_.erase(LowerCase(name)); }

  private:
    std::map<std::string, Listed> entries_;
};

// Checks that `name` in `folder` may be written: raises when a folder stands there, or a file
// that is not to be overwritten or is read-only. True when something stands there.
bool CheckTarget(int folder, const std::string& name, const std::string& shown, bool overwrite) {
    struct stat st {};
    if (::fstatat(folder, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) return false;
    if (S_ISDIR(st.st_mode))
        throw RuntimeError(kPermissionDenied, "Cannot write " + shown + ": it is a folder");
    if (!overwrite) throw ErrorAbout(EEXIST, "write", shown);
    if (!S_ISLNK(st.st_mode) && (st.st_mode & S_IWUSR) == 0)
        throw ErrorAbout(EACCES, "write", shown);
    return true;
}

// Writes a copy of the open regular file `in` into `folder` as `name`, with the source's
// permissions and modification time. Where a file stands under the name, the copy replaces it
// whole (written beside, synced, renamed over it), so the name always holds the old or the new
// file; elsewhere it is written under its own name. A copy that fails leaves no part of it behind.
// With `hash`, the bytes go through a buffer and `hash` receives their fingerprint.
void WriteCopy(int in, const struct stat& info, const std::string& fromShown, int folder,
               const std::string& name, const std::string& shown, bool replace,
               std::string* hash = nullptr) {
    const auto fill = [&](int out) {
        if (hash)
            *hash = CopyFingerprinted(in, out, fromShown, shown,
                                      static_cast<std::uint64_t>(info.st_size));
        else
            CopyContent(in, out, fromShown, shown);
        const struct timespec times[2] = {{0, UTIME_OMIT}, info.st_mtim};
        if (::fchmod(out, info.st_mode & 07777) != 0 || ::futimens(out, times) != 0)
            throw ErrorAbout(errno, "write", shown);
        ShareWrittenFile(folder, out);
    };
    if (replace) {
        ReplaceOptions options;
        options.Mode = 0600;
        options.KeepReplacedMode = false;  // a copy carries its source's permissions
        options.Shown = shown;
        ReplaceFileWholeAt(folder, name, fill, options);
        return;
    }
    Descriptor out(
        ::openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (out.Get() < 0) throw ErrorAbout(errno, "write", shown);
    try {
        fill(out.Get());
        out.Close(shown);
    } catch (...) {
        ::unlinkat(folder, name.c_str(), 0);
        throw;
    }
}

// Writes a copy as WriteCopy does; a watch that takes fingerprints hears what was written at
// `native`, so that it need not read the file again.
void WriteWatchedCopy(ChangeWatch* watch, const fs::path& native, int in, const struct stat& info,
                      const std::string& fromShown, int folder, const std::string& name,
                      const std::string& shown, bool replace) {
    if (!watch || !watch->TakesFingerprints())
        return WriteCopy(in, info, fromShown, folder, name, shown, replace);
    std::string hash;
    WriteCopy(in, info, fromShown, folder, name, shown, replace, &hash);
    // `native` ends with `name`: the file is looked at by its name in `folder`. Not told, the
    // watch looks at the file itself.
    if (const auto file = WrittenFileAt(native, hash, folder)) watch->Wrote(*file);
}

// Removes the folder `name` of the open folder `parent` with everything in it, each entry
// relative to its open folder, links removed and never followed. Forced, folders without their
// owner's write permission are given it first.
void RemoveTreeAt(int parent, const std::string& name, const std::string& shown, bool force) {
    {
        Descriptor folder = OpenFolderAt(parent, name.c_str(), shown);
        struct stat st {};
        if (force && ::fstat(folder.Get(), &st) == 0 && (st.st_mode & S_IRWXU) != S_IRWXU)
            ::fchmod(folder.Get(), (st.st_mode & 07777) | S_IRWXU);
        for (const Listed& entry : ListOpenFolder(folder.Get(), shown)) {
            const std::string inner = Inside(shown, entry.Name);
            if (entry.Type == S_IFDIR) {
                RemoveTreeAt(folder.Get(), entry.Name, inner, force);
            } else if (::unlinkat(folder.Get(), entry.Name.c_str(), 0) != 0) {
                Fail(LastError(), true, shown);
            }
        }
    }
    if (::unlinkat(parent, name.c_str(), AT_REMOVEDIR) != 0) Fail(LastError(), true, shown);
}

// Looks at a file that is to be read: it must be a regular file, and no link.
struct stat LookAt(int folder, const char* name, const std::string& shown) {
    struct stat st {};
    if (::fstatat(folder, name, &st, AT_SYMLINK_NOFOLLOW) != 0)
        throw ErrorAbout(errno, "read", shown);
    if (!S_ISREG(st.st_mode)) throw NotPlainError("read", shown, st.st_mode);
    return st;
}

}  // namespace

void FileSystem::CreateFolder(const std::string& path) {
    const fs::path native = paths_.ToNative(path);
    if (TypeOf(native) != fs::file_type::not_found) throw FileError(kFileAlreadyExists, path);
    if (!IsFolder(native.parent_path())) throw FileError(kPathNotFound, path);
    std::string name;
    const Descriptor parent = OpenParent(path, name);
    Mutating("create folder " + path);
    Watch(ChangeKind::CreateFolder, native);
    if (::mkdirat(parent.Get(), name.c_str(), 0777) != 0) Fail(LastError(), true, path);
    ShareLikeParent(parent.Get(), name.c_str());
    Touch(parent.Get());
}

void FileSystem::DeleteFolder(const std::string& path, bool force) {
    const fs::path native = paths_.ToNative(path);
    if (TypeOf(native) != fs::file_type::directory) throw FileError(kPathNotFound, path);
    if (!force && (ContainsReadOnly(native) || ReadOnly(native)))
        throw FileError(kPermissionDenied, path);
    std::string name;
    const Descriptor parent = OpenParent(path, name);
    Mutating("delete folder " + path);
    if (Watch(ChangeKind::DeleteFolder, native)) {
        Touch(parent.Get());
        return;
    }
    RemoveTreeAt(parent.Get(), name, path, force);
    Touch(parent.Get());
}

void FileSystem::MoveFolder(const std::string& source, const std::string& destination) {
    if (RenameFolder(source, destination)) return;
    // Across devices: the copy goes in under a name of its own beside its place and takes the
    // place only whole, checked and synced; the source stays untouched until then. So a kill
    // leaves no part of a copy under the folder's name, only under that one, which the next
    // move or start removes.
    const fs::path from = paths_.ToNative(source);
    const fs::path to = paths_.ToNative(destination);
    const std::string partial = destination + kPartialMoveSuffix;
    std::string toName;
    const Descriptor toParent = OpenParent(destination, toName);
    const std::string partialName = toName + kPartialMoveSuffix;
    // The watch hears of one move, not of the copy's files.
    Watch(ChangeKind::MoveFolder, from, to);
    struct Unwatched {
        ChangeWatch*& watch;
        ChangeWatch* kept;
        ~Unwatched() { watch = kept; }
    } unwatched{watch_, watch_};
    watch_ = nullptr;
    struct stat st {};
    // What a move cut short copied: its source was still whole, so the copy is made anew.
    if (::fstatat(toParent.Get(), partialName.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0)
        RemoveTreeAt(toParent.Get(), partialName, partial, true);
    try {
        CopyFolderTree(source, partial, false, true);
        if (!SameTree(from, paths_.ToNative(partial)))
            throw RuntimeError(kDeviceIoError, "Cannot move folder " + source + " to " +
                                                   destination + ": the copy is not whole");
        if (::renameat2(toParent.Get(), partialName.c_str(), toParent.Get(), toName.c_str(),
                        RENAME_NOREPLACE) != 0)
            throw ErrorAbout(errno, "move folder " + source + " to", destination, true);
    } catch (...) {
        try {
            if (::fstatat(toParent.Get(), partialName.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0)
                RemoveTreeAt(toParent.Get(), partialName, partial, true);
        } catch (const RuntimeError&) {
            // The failure that brought us here is the one reported.
        }
        throw;
    }
    // The copy's new name is on the disk before its source goes (as a rename's is).
    SyncToDisk(toParent.Get(), SyncKind::Folder);
    std::string fromName;
    const Descriptor fromParent = OpenParent(source, fromName);
    RemoveTreeAt(fromParent.Get(), fromName, source, true);
    Touch(fromParent.Get());
    watch_ = unwatched.kept;
    Watched(ChangeKind::MoveFolder, from, to);
}

bool FileSystem::RenameFolder(const std::string& source, const std::string& destination) {
    const fs::path from = paths_.ToNative(source);
    const fs::path to = paths_.ToNative(destination);
    if (TypeOf(from) != fs::file_type::directory) throw FileError(kPathNotFound, source);
    if (TypeOf(to) != fs::file_type::not_found) throw FileError(kFileAlreadyExists, destination);
    if (!IsFolder(to.parent_path())) throw FileError(kPathNotFound, destination);
    std::string fromName, toName;
    const Descriptor fromParent = OpenParent(source, fromName);
    const Descriptor toParent = OpenParent(destination, toName);
    Mutating("move folder " + source + " to " + destination);
    Watch(ChangeKind::MoveFolder, from, to);
    if (::renameat(fromParent.Get(), fromName.c_str(), toParent.Get(), toName.c_str()) != 0) {
        if (errno == EXDEV) return false;
        Fail(LastError(), true, source);
    }
    // The rename commits a swap: both folders' entries go to the disk now.
    SyncToDisk(toParent.Get(), SyncKind::Folder);
    SyncToDisk(fromParent.Get(), SyncKind::Folder);
    Watched(ChangeKind::MoveFolder, from, to);
    return true;
}

void FileSystem::GuardBelow(const std::string& folder) {
    guard_ = WindowsPath::Parse(folder);
    guarded_ = guard_.DriveLetter != 0 && !guard_.Components.empty();
}

void FileSystem::GuardStoredBelow(const std::string& folder) {
    WindowsPath parsed = WindowsPath::Parse(folder);
    if (parsed.DriveLetter != 0 && !parsed.Components.empty())
        alsoGuarded_.push_back(std::move(parsed));
}

void FileSystem::Touch(int folder, std::vector<std::string> names) {
    if (!touched_) touched_ = std::make_shared<TouchedFiles>();
    touched_->Add(folder, std::move(names));
}

void FileSystem::SyncTouched() {
    if (touched_) touched_->Sync(guarded_ ? guard_.Text() : "the disk");
}

// A drive's root is reached through the prefix's own links; below it no folder is a link, and
// below the guarded folder none on the way either.
Descriptor FileSystem::OpenFolder(const std::string& folder) const {
    const WindowsPath parsed = WindowsPath::Parse(folder);
    // The deepest guarded folder that holds it: the installation, or a stored car folder.
    const WindowsPath* guard = nullptr;
    for (const WindowsPath* g : {&guard_, &Also(parsed)}) {
        if (g->DriveLetter == 0 || g->Components.empty()) continue;
        bool inside = parsed.DriveLetter == g->DriveLetter &&
                      parsed.Components.size() >= g->Components.size();
        for (std::size_t i = 0; inside && i < g->Components.size(); ++i)
            inside = EqualsNoCase(parsed.Components[i], g->Components[i]);
        if (inside && (!guard || g->Components.size() > guard->Components.size())) guard = g;
    }
    if (!guarded_ || !guard) {
        const bool driveRoot = parsed.Components.empty();
        return OpenFolderAt(AT_FDCWD, paths_.ToNative(folder).c_str(), folder, driveRoot);
    }
    const std::size_t depth = guard->Components.size();
    // The names below the guarded folder in their stored case, as resolution found them.
    const fs::path native = paths_.ToNative(folder);
    std::vector<std::string> names;
    for (const fs::path& part : native) names.push_back(part.string());
    while (!names.empty() && names.back().empty()) names.pop_back();
    const std::size_t below = parsed.Components.size() - depth;
    names.erase(names.begin(), names.end() - static_cast<std::ptrdiff_t>(below));
    const std::string root = guard->Text();
    // The installation may be reached through a link; a stored car folder may not be one.
    const Descriptor top =
        OpenFolderAt(AT_FDCWD, paths_.ToNative(root).c_str(), root, guard == &guard_);
    return OpenBelow(top.Get(), names, root, folder);
}

const WindowsPath& FileSystem::Also(const WindowsPath& path) const {
    static const WindowsPath none;
    const WindowsPath* best = &none;
    for (const WindowsPath& g : alsoGuarded_) {
        bool inside = path.DriveLetter == g.DriveLetter &&
                      path.Components.size() >= g.Components.size() &&
                      g.Components.size() > best->Components.size();
        for (std::size_t i = 0; inside && i < g.Components.size(); ++i)
            inside = EqualsNoCase(path.Components[i], g.Components[i]);
        if (inside) best = &g;
    }
    return *best;
}

Descriptor FileSystem::OpenParent(const std::string& path, std::string& name) const {
    const WindowsPath parsed = WindowsPath::Parse(path);
    if (parsed.Components.empty()) throw ErrorAbout(EISDIR, "write", path, true);
    name = paths_.ToNative(path).filename().string();
    return OpenFolder(FolderOf(path));
}

// Every folder made and every file copied is a step of its own for the fault hook, so a test can
// stop a folder copy half-way as a full disk would. Links are copied as links where `keepLinks`,
// refused otherwise; anything that is neither a file, a folder nor a link is refused.
void FileSystem::CopyTree(int from, const std::string& fromShown, int to,
                          const std::string& toShown, bool made, bool overwrite, bool keepLinks) {
    const fs::path toNative = watch_ ? paths_.ToNative(toShown) : fs::path();
    for (const Listed& entry : ListOpenFolder(from, fromShown)) {
        const std::string source = Inside(fromShown, entry.Name);
        const std::string target = Inside(toShown, entry.Name);
        const char* name = entry.Name.c_str();
        struct stat st {};
        if (::fstatat(from, name, &st, AT_SYMLINK_NOFOLLOW) != 0)
            throw ErrorAbout(errno, "read", source);
        if (S_ISDIR(st.st_mode)) {
            Descriptor inner = OpenFolderAt(from, name, source);
            struct stat there {};
            const bool exists = !made && ::fstatat(to, name, &there, AT_SYMLINK_NOFOLLOW) == 0;
            if (!exists) {
                Mutating("create folder " + target);
                Watch(ChangeKind::CreateFolder, toNative / entry.Name);
                if (::mkdirat(to, name, st.st_mode & 07777) != 0)
                    throw ErrorAbout(errno, "create folder", target, true);
                ShareLikeParent(to, name);
            }
            Descriptor innerTo = OpenFolderAt(to, name, target);
            CopyTree(inner.Get(), source, innerTo.Get(), target, !exists, overwrite, keepLinks);
        } else if (S_ISLNK(st.st_mode) && keepLinks) {
            // A link is copied as the link it is, never followed.
            std::string link(static_cast<std::size_t>(st.st_size) + 1, '\0');
            const ssize_t n = ::readlinkat(from, name, link.data(), link.size());
            if (n < 0) throw ErrorAbout(errno, "read", source);
            link.resize(static_cast<std::size_t>(n));
            if (!made && CheckTarget(to, entry.Name, target, overwrite) &&
                (Watch(ChangeKind::WriteFile, toNative / entry.Name), ::unlinkat(to, name, 0) != 0))
                throw ErrorAbout(errno, "write", target);
            Mutating("copy " + source);
            Watch(ChangeKind::WriteFile, toNative / entry.Name);
            if (::symlinkat(link.c_str(), to, name) != 0) throw ErrorAbout(errno, "write", target);
        } else if (!S_ISREG(st.st_mode)) {
            throw NotPlainError("copy", source, st.st_mode);
        } else {
            const bool replace = !made && CheckTarget(to, entry.Name, target, overwrite);
            Mutating("copy " + source);
            Watch(ChangeKind::WriteFile, toNative / entry.Name, {}, to);
            if (work_) work_->Carrying(source);
            struct stat info {};
            Descriptor in = OpenForReading(from, name, source, info, false, &st);
            WriteWatchedCopy(watch_, toNative / entry.Name, in.Get(), info, source, to, entry.Name,
                             target, replace);
        }
    }
}

void FileSystem::WorkStage(const std::string& doing, int files) const {
    if (work_) work_->Stage(doing, files);
}

void FileSystem::WorkAhead(int files) const {
    if (work_) work_->Ahead(files);
}

void FileSystem::WorkReached(const std::string& path, int files) const {
    if (work_) work_->Carrying(path, files);
}

void FileSystem::Ahead(int files) {
    if (work_) work_->Ahead(files);
}

void FileSystem::AheadInTree(const fs::path& folder) {
    if (!work_) return;
    int files = 0;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (it->symlink_status().type() != fs::file_type::directory) ++files;
    work_->Ahead(files);
}

void FileSystem::CopyFolder(const std::string& source, const std::string& destination,
                            bool overwrite) {
    CopyFolderTree(source, destination, overwrite, false);
}

void FileSystem::CopyFolderTree(const std::string& source, const std::string& destination,
                                bool overwrite, bool keepLinks) {
    const fs::path from = paths_.ToNative(source);
    const fs::path to = paths_.ToNative(destination);
    if (TypeOf(from) != fs::file_type::directory)
        throw ErrorAbout(ENOENT, "copy folder", source, true);
    if (!IsFolder(to.parent_path()))
        throw ErrorAbout(ENOENT, "copy folder " + source + " to", destination, true);
    const fs::path canonicalFrom = fs::weakly_canonical(from);
    const fs::path canonicalTo = fs::weakly_canonical(to);
    const auto [end, ignored] = std::mismatch(canonicalFrom.begin(), canonicalFrom.end(),
                                              canonicalTo.begin(), canonicalTo.end());
    if (end == canonicalFrom.end())
        throw RuntimeError(kPermissionDenied,
                           "Cannot copy folder " + source + " into itself (" + destination + ")");
    Descriptor in = OpenFolder(source);
    AheadInTree(from);
    const bool made = !IsFolder(to);
    if (made) {
        std::string name;
        const Descriptor parent = OpenParent(destination, name);
        Mutating("create folder " + destination);
        Watch(ChangeKind::CreateFolder, to);
        struct stat st {};
        ::fstat(in.Get(), &st);
        if (::mkdirat(parent.Get(), name.c_str(), st.st_mode & 07777) != 0)
            throw ErrorAbout(errno, "create folder", destination, true);
        ShareLikeParent(parent.Get(), name.c_str());
        Touch(parent.Get());
    }
    Descriptor out = OpenFolder(destination);
    CopyTree(in.Get(), source, out.Get(), destination, made, overwrite, keepLinks);
    // A folder copy is what a move across drives or a swap by copy deletes its source after:
    // the copy is on the disk before anyone goes on.
    if (const int error = SyncToDisk(out.Get(), SyncKind::FileSystem))
        throw SyncFailure(error, destination, true);
}

void FileSystem::CopyFile(const std::string& source, const std::string& destination,
                          bool overwrite) {
    const fs::path from = paths_.ToNative(source);
    std::string fromName;
    const Descriptor fromFolder = OpenParent(source, fromName);
    const struct stat checked = LookAt(fromFolder.Get(), fromName.c_str(), source);
    const bool intoFolder =
        !destination.empty() && (destination.back() == '\\' || destination.back() == '/');
    std::string folder, name;
    if (intoFolder) {
        folder = destination;
        name = ResolveName(paths_.ToNative(folder), from.filename().string()).filename().string();
    } else {
        folder = FolderOf(destination);
        name = paths_.ToNative(destination).filename().string();
    }
    const std::string target = Inside(folder, name);
    Descriptor into = OpenFolder(folder);
    const bool replace = CheckTarget(into.Get(), name, target, overwrite);
    Mutating("copy " + source + " to " + destination);
    const fs::path native = watch_ ? paths_.ToNative(folder) / name : fs::path();
    Watch(ChangeKind::WriteFile, native);
    struct stat info {};
    Descriptor in =
        OpenForReading(fromFolder.Get(), fromName.c_str(), source, info, false, &checked);
    WriteWatchedCopy(watch_, native, in.Get(), info, source, into.Get(), name, target, replace);
    if (!replace) Touch(into.Get(), {name});
}

// Renames a file from one open folder into another; across devices copies it, then deletes the
// source.
void FileSystem::MoveOneFile(int from, const std::string& name, const std::string& fromShown,
                             int to, const std::string& toName, const std::string& toShown) {
    if (::renameat(from, name.c_str(), to, toName.c_str()) == 0) return;
    if (errno != EXDEV) throw ErrorAbout(errno, "move " + fromShown + " to", toShown);
    const struct stat checked = LookAt(from, name.c_str(), fromShown);
    struct stat info {};
    Descriptor in = OpenForReading(from, name.c_str(), fromShown, info, false, &checked);
    WriteCopy(in.Get(), info, fromShown, to, toName, toShown, false);
    // The source goes only once its copy is on the disk.
    Descriptor copy(::openat(to, toName.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (copy.Get() < 0) throw ErrorAbout(errno, "write", toShown);
    if (const int error = SyncToDisk(copy.Get(), SyncKind::File)) throw SyncFailure(error, toShown);
    if (const int error = SyncToDisk(to, SyncKind::Folder)) throw SyncFailure(error, toShown);
    if (::unlinkat(from, name.c_str(), 0) != 0) throw ErrorAbout(errno, "delete", fromShown);
}

void FileSystem::MoveFile(const std::string& source, const std::string& destination) {
    const std::string sourceFolder = FolderOf(source);
    const std::string targetFolder = FolderOf(destination);
    const fs::path from = paths_.ToNative(source);
    const fs::path to = paths_.ToNative(destination);
    Descriptor fromFolder = OpenFolder(sourceFolder);
    const std::string name = from.filename().string();
    struct stat st {};
    if (::fstatat(fromFolder.Get(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 ||
        S_ISDIR(st.st_mode))
        throw ErrorAbout(ENOENT, "move", source);
    if (TypeOf(to) != fs::file_type::not_found)
        throw ErrorAbout(EEXIST, "move " + source + " to", destination);
    Descriptor toFolder = OpenFolder(targetFolder);
    Mutating("move " + source + " to " + destination);
    Touch(toFolder.Get());
    Touch(fromFolder.Get());
    Watch(ChangeKind::WriteFile, to);
    Watch(ChangeKind::DeleteFile, from);
    MoveOneFile(fromFolder.Get(), name, source, toFolder.Get(), to.filename().string(),
                destination);
}

void FileSystem::CopyFilesInto(const std::string& sourceFolder,
                               const std::vector<std::string>& names,
                               const std::string& destinationFolder, bool overwrite) {
    Descriptor from = OpenFolder(sourceFolder);
    Descriptor to = OpenFolder(destinationFolder);
    const FolderIndex sources(from.Get(), sourceFolder);
    FolderIndex targets(to.Get(), destinationFolder);
    std::vector<std::string> written;
    const fs::path fromNative = watch_ ? paths_.ToNative(sourceFolder) : fs::path();
    const fs::path toNative = watch_ ? paths_.ToNative(destinationFolder) : fs::path();
    Ahead(static_cast<int>(names.size()));
    for (const std::string& asked : names) {
        const Listed* source = sources.Find(asked);
        const std::string shown = Inside(sourceFolder, source ? source->Name : asked);
        if (!source) throw ErrorAbout(ENOENT, "read", shown);
        if (source->Type != S_IFREG) throw NotPlainError("read", shown, source->Type);
        const std::string name = targets.Resolve(source->Name);
        const std::string target = Inside(destinationFolder, name);
        const bool replace = targets.Find(name) && CheckTarget(to.Get(), name, target, overwrite);
        Mutating("copy " + Inside(sourceFolder, asked) + " to " + destinationFolder + "\\");
        Watch(ChangeKind::WriteFile, toNative / name, {}, to.Get());
        if (work_) work_->Carrying(shown);
        // Opened without following a link, checked to be a regular file and the very file the
        // listing showed, whatever took its place since.
        struct stat info {};
        Descriptor in =
            OpenForReading(from.Get(), source->Name.c_str(), shown, info, false, nullptr, false);
        if (info.st_ino != source->Number)
            throw RuntimeError(
                kPathFileAccessError,
                "Cannot read " + shown + ": it was replaced while it was being read");
        WriteWatchedCopy(watch_, toNative / name, in.Get(), info, shown, to.Get(), name, target,
                         replace);
        if (!replace) written.push_back(name);
        targets.Add(name, S_IFREG);
    }
    Touch(to.Get(), std::move(written));
}

std::vector<std::string> FileSystem::SameFilesIn(const std::string& sourceFolder,
                                                 const std::vector<std::string>& names,
                                                 const std::string& destinationFolder) {
    Descriptor from = OpenFolder(sourceFolder);
    Descriptor to = OpenFolder(destinationFolder);
    std::vector<std::string> same;
    for (const std::string& name : names) {
        struct stat a {
        }, b{};
        if (::fstatat(from.Get(), name.c_str(), &a, AT_SYMLINK_NOFOLLOW) != 0 ||
            ::fstatat(to.Get(), name.c_str(), &b, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(a.st_mode) || !S_ISREG(b.st_mode) || a.st_size != b.st_size ||
            (a.st_mode & 07777) != (b.st_mode & 07777) || a.st_mtim.tv_sec != b.st_mtim.tv_sec ||
            a.st_mtim.tv_nsec != b.st_mtim.tv_nsec)
            continue;
        const std::string shownFrom = Inside(sourceFolder, name);
        const std::string shownTo = Inside(destinationFolder, name);
        try {
            struct stat info {};
            const Descriptor in =
                OpenForReading(from.Get(), name.c_str(), shownFrom, info, false, &a);
            const Descriptor there =
                OpenForReading(to.Get(), name.c_str(), shownTo, info, false, &b);
            if (SameContent(in.Get(), there.Get(), shownFrom, shownTo)) same.push_back(name);
        } catch (const RuntimeError&) {
            // Not known to be the same: copied as any other file, which reports what is wrong.
        }
    }
    // A run cut short may have left them unsynced: they reach the disk with the rest of the work.
    if (!same.empty()) Touch(to.Get(), same);
    return same;
}

void FileSystem::MoveFilesInto(const std::string& sourceFolder,
                               const std::vector<std::string>& names,
                               const std::string& destinationFolder) {
    Descriptor from = OpenFolder(sourceFolder);
    Descriptor to = OpenFolder(destinationFolder);
    const FolderIndex sources(from.Get(), sourceFolder);
    FolderIndex targets(to.Get(), destinationFolder);
    Touch(to.Get());
    Touch(from.Get());
    const fs::path fromNative = watch_ ? paths_.ToNative(sourceFolder) : fs::path();
    const fs::path toNative = watch_ ? paths_.ToNative(destinationFolder) : fs::path();
    Ahead(static_cast<int>(names.size()));
    for (const std::string& asked : names) {
        const Listed* source = sources.Find(asked);
        const std::string shown = Inside(sourceFolder, source ? source->Name : asked);
        if (!source || source->Type == S_IFDIR) throw ErrorAbout(ENOENT, "move", shown);
        const std::string target = Inside(destinationFolder, source->Name);
        if (targets.Find(source->Name)) throw ErrorAbout(EEXIST, "move " + shown + " to", target);
        Mutating("move " + Inside(sourceFolder, asked) + " to " + destinationFolder + "\\");
        Watch(ChangeKind::WriteFile, toNative / source->Name);
        Watch(ChangeKind::DeleteFile, fromNative / source->Name);
        if (work_) work_->Carrying(shown);
        MoveOneFile(from.Get(), source->Name, shown, to.Get(), source->Name, target);
        targets.Add(source->Name, source->Type);
    }
}

void FileSystem::DeleteFile(const std::string& path, bool force) {
    DeleteFilesIn(FolderOf(path), {paths_.ToNative(path).filename().string()}, force);
}

void FileSystem::DeleteFilesIn(const std::string& folder, const std::vector<std::string>& names,
                               bool force) {
    Descriptor at = OpenFolder(folder);
    if (!names.empty()) Touch(at.Get());
    const fs::path native = watch_ ? paths_.ToNative(folder) : fs::path();
    for (const std::string& name : names) {
        const std::string shown = Inside(folder, name);
        // Forced, the unlink itself says what is wrong (a folder cannot be unlinked as a file).
        struct stat st {};
        if (!force && (::fstatat(at.Get(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 ||
                       S_ISDIR(st.st_mode)))
            throw ErrorAbout(ENOENT, "delete", shown);
        if (!force && !S_ISLNK(st.st_mode) && (st.st_mode & S_IWUSR) == 0)
            throw ErrorAbout(EACCES, "delete", shown);
        Mutating("delete " + shown);
        Watch(ChangeKind::DeleteFile, native / name, {}, at.Get());
        if (::unlinkat(at.Get(), name.c_str(), 0) != 0)
            throw ErrorAbout(errno == EISDIR ? ENOENT : errno, "delete", shown);
    }
}

std::vector<FolderEntry> FileSystem::Entries(const std::string& folder, bool details) const {
    Descriptor at = OpenFolder(folder);
    std::vector<FolderEntry> entries;
    for (const Listed& listed : ListOpenFolder(at.Get(), folder)) {
        struct stat st {};
        st.st_mode = listed.Type;
        if (details && ::fstatat(at.Get(), listed.Name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        FolderEntry entry;
        entry.Name = listed.Name;
        entry.Mode = st.st_mode;
        entry.Size = static_cast<std::uintmax_t>(st.st_size);
        entry.ReadOnly = !S_ISLNK(st.st_mode) && (st.st_mode & S_IWUSR) == 0;
        entries.push_back(std::move(entry));
    }
    std::sort(entries.begin(), entries.end(), [](const FolderEntry& a, const FolderEntry& b) {
        return LessNoCase(a.Name, b.Name);
    });
    return entries;
}

namespace {

// Adds to `found` every entry below the open folder `folder` that is neither a regular file nor a
// folder, by its path below the walk's start (`relative`). The listing's own entry types are
// used, and nothing is kept of a plain entry, so a folder of files costs its listing alone.
void CollectNotPlain(int folder, const std::string& relative, const std::string& shown,
                     std::vector<std::string>& found) {
    const int copy = ::fcntl(folder, F_DUPFD_CLOEXEC, 0);
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(copy < 0 ? nullptr : ::fdopendir(copy),
                                                  ::closedir);
    if (!dir) {
        const int error = errno;
        if (copy >= 0) ::close(copy);
        throw ErrorAbout(error, "list folder", shown, true);
    }
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(dir.get());
        if (!entry) break;
        const char* name = entry->d_name;
        if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0))) continue;
        mode_t type = DTTOIF(entry->d_type);
        if (entry->d_type == DT_UNKNOWN) {
            struct stat st {};
            if (::fstatat(folder, name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
            type = st.st_mode & S_IFMT;
        }
        if (type == S_IFDIR) {
            const std::string innerShown = Inside(shown, name);
            const Descriptor sub = OpenFolderAt(folder, name, innerShown);
            CollectNotPlain(sub.Get(), relative.empty() ? name : relative + "\\" + name, innerShown,
                            found);
        } else if (type != S_IFREG) {
            found.push_back(relative.empty() ? name : relative + "\\" + name);
        }
    }
    if (errno) throw ErrorAbout(errno, "list folder", shown, true);
}

}  // namespace

std::vector<std::string> FileSystem::NotPlainEntries(const std::string& folder) const {
    const fs::path root = paths_.ToNative(folder);
    if (TypeOf(root) != fs::file_type::directory) return {folder};
    std::vector<std::string> found;
    const Descriptor at = OpenFolderAt(AT_FDCWD, root.c_str(), folder);
    CollectNotPlain(at.Get(), "", folder, found);
    return found;
}

bool FileSystem::IsLink(const std::string& path) const {
    return TypeOf(paths_.ToNative(path)) == fs::file_type::symlink;
}

std::string FileSystem::KindAt(const std::string& path) const {
    struct stat st {};
    if (::lstat(paths_.ToNative(path).c_str(), &st) != 0) return "";
    return KindOf(st.st_mode);
}

bool FileSystem::IsPlainFile(const std::string& path) const {
    return TypeOf(paths_.ToNative(path)) == fs::file_type::regular;
}

void FileSystem::Rename(const std::string& path, const std::string& newName) {
    const fs::path from = paths_.ToNative(path);
    if (TypeOf(from) == fs::file_type::not_found) throw FileError(kFileNotFound, path);
    if (newName.empty() || newName.find_first_of("\\/:") != std::string::npos)
        throw FileError(kBadFileNameOrNumber, newName);
    const fs::path to = from.parent_path() / newName;
    if (TypeOf(to) != fs::file_type::not_found &&
        !EqualsNoCase(to.filename().string(), from.filename().string()))
        throw FileError(kFileAlreadyExists, newName);
    std::string name;
    const Descriptor parent = OpenParent(path, name);
    Mutating("rename " + path + " to " + newName);
    const bool folder = TypeOf(from) == fs::file_type::directory;
    if (folder) {
        Watch(ChangeKind::MoveFolder, from, to);
    } else {
        Watch(ChangeKind::WriteFile, to);
        Watch(ChangeKind::DeleteFile, from);
    }
    if (::renameat(parent.Get(), name.c_str(), parent.Get(), newName.c_str()) != 0)
        Fail(LastError(), false, path);
    Touch(parent.Get());
    if (folder) Watched(ChangeKind::MoveFolder, from, to);
}

void FileSystem::WriteWholeFile(const std::string& path, std::string_view bytes) {
    const fs::path native = paths_.ToNative(path);
    if (!IsFolder(native.parent_path())) throw FileError(kPathNotFound, path);
    if (IsFolder(native) || ReadOnly(native)) throw FileError(kPermissionDenied, path);
    // Each step up to the rename is a mutating operation of its own for the fault hook.
    ReplaceOptions options;
    options.BeforeStep = [&](ReplaceStep step) {
        if (step != ReplaceStep::SyncFolder) Mutating("write " + path);
        if (step == ReplaceStep::Rename) Watch(ChangeKind::WriteFile, native);
    };
    std::string name;
    const Descriptor parent = OpenParent(path, name);
    try {
        ReplaceFileWholeAt(
            parent.Get(), name, [&](int fd) { WriteAllBytes(fd, bytes); }, options);
    } catch (const RuntimeError& e) {
        // A refusal (a folder closed to this user) names the file it was about; other errors
        // keep the words callers show as they are.
        if (e.Number() != kPermissionDenied || e.Description().find(path) != std::string::npos)
            throw;
        throw FileError(e.Number(), path);
    }
}

void FileSystem::ReplaceFile(const std::string& source, const std::string& target) {
    const fs::path from = paths_.ToNative(source);
    if (!IsFile(from)) throw FileError(kFileNotFound, source);
    const fs::path to = paths_.ToNative(target);
    if (ReadOnly(to)) throw FileError(kPermissionDenied, target);
    std::string fromName, toName;
    const Descriptor fromParent = OpenParent(source, fromName);
    const Descriptor toParent = OpenParent(target, toName);
    Mutating("replace " + target + " with " + source);
    Watch(ChangeKind::WriteFile, to);
    Watch(ChangeKind::DeleteFile, from);
    if (::renameat(fromParent.Get(), fromName.c_str(), toParent.Get(), toName.c_str()) != 0)
        Fail(LastError(), false, target);
    Touch(toParent.Get());
    Touch(fromParent.Get());
}

bool FileSystem::ExchangeFolders(const std::string& a, const std::string& b) {
    const fs::path first = paths_.ToNative(a);
    const fs::path second = paths_.ToNative(b);
    if (TypeOf(first) != fs::file_type::directory || TypeOf(second) != fs::file_type::directory)
        throw FileError(kPathNotFound, a);
    std::string firstName, secondName;
    const Descriptor firstParent = OpenParent(a, firstName);
    const Descriptor secondParent = OpenParent(b, secondName);
    Mutating("exchange folder " + a + " with " + b);
    Watch(ChangeKind::Exchange, first, second);
    if (::renameat2(firstParent.Get(), firstName.c_str(), secondParent.Get(), secondName.c_str(),
                    RENAME_EXCHANGE) == 0) {
        SyncToDisk(secondParent.Get(), SyncKind::Folder);
        SyncToDisk(firstParent.Get(), SyncKind::Folder);
        Watched(ChangeKind::Exchange, first, second);
        return true;
    }
    const int error = errno;
    if (error == EINVAL || error == ENOSYS || error == ENOTSUP || error == EXDEV) return false;
    Fail(std::error_code(error, std::generic_category()), true, a);
}

std::uintmax_t FileSystem::FolderNumber(const std::string& path) const {
    struct stat st {};
    if (::stat(paths_.ToNative(path).c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return 0;
    return st.st_ino;
}

bool FileSystem::HoldsTree(const std::string& whole, const std::string& part,
                           const std::string& ignored) const {
    return HoldsNativeTree(paths_.ToNative(whole), paths_.ToNative(part), ignored);
}

std::uintmax_t FileSystem::FolderSize(const std::string& path) const {
    constexpr std::uintmax_t kBlock = 4096;
    std::uintmax_t bytes = kBlock;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(paths_.ToNative(path), ec), end; !ec && it != end;
         it.increment(ec)) {
        std::error_code sizeError;
        const auto type = it->symlink_status(sizeError).type();
        const std::uintmax_t size = type == fs::file_type::regular ? it->file_size(sizeError) : 0;
        bytes += sizeError ? kBlock : (size + kBlock - 1) / kBlock * kBlock + (size ? 0 : kBlock);
    }
    if (ec) Fail(ec, true, path);
    return bytes;
}

std::uintmax_t FileSystem::FreeSpace(const std::string& folder) const {
    std::error_code ec;
    const fs::space_info space = fs::space(paths_.ToNative(folder), ec);
    if (ec) Fail(ec, true, folder);
    return space.available;
}

bool FileSystem::SameDevice(const std::string& a, const std::string& b) const {
    struct stat first {
    }, second{};
    return ::stat(paths_.ToNative(a).c_str(), &first) == 0 &&
           ::stat(paths_.ToNative(b).c_str(), &second) == 0 && first.st_dev == second.st_dev;
}

TextReader FileSystem::OpenTextFile(const std::string& path) const {
    return TextReader(paths_.ToNative(path), path);
}

TextWriter FileSystem::CreateTextFile(const std::string& path, bool overwrite) {
    const fs::path native = paths_.ToNative(path);
    if (!overwrite && TypeOf(native) != fs::file_type::not_found)
        throw FileError(kFileAlreadyExists, path);
    if (!IsFolder(native.parent_path())) throw FileError(kPathNotFound, path);
    Watch(ChangeKind::RewriteFile, native);
    std::string name;
    const Descriptor parent = OpenParent(path, name);
    TextWriter writer(native, faults_, parent.Get());
    Touch(parent.Get(), {name});
    return writer;
}

TextWriter FileSystem::AppendTextFile(const std::string& path) {
    const fs::path native = paths_.ToNative(path);
    if (!IsFolder(native.parent_path())) throw FileError(kPathNotFound, path);
    Watch(ChangeKind::RewriteFile, native);
    std::string name;
    const Descriptor parent = OpenParent(path, name);
    TextWriter writer(native, faults_, parent.Get(), true);
    Touch(parent.Get(), {name});
    return writer;
}

bool FileSystem::IsReadOnly(const std::string& path) const {
    return ReadOnly(paths_.ToNative(path));
}

void FileSystem::SyncDisk(const std::string& folder) const {
    const Descriptor open = OpenFolder(folder);
    if (const int error = SyncToDisk(open.Get(), SyncKind::FileSystem))
        throw SyncFailure(error, folder, true);
}

void FileSystem::SetReadOnly(const std::string& path, bool readOnly) {
    const fs::path native = paths_.ToNative(path);
    if (TypeOf(native) == fs::file_type::not_found) throw FileError(kFileNotFound, path);
    Watch(ChangeKind::Attributes, native);
    std::string name;
    const Descriptor parent = OpenParent(path, name);
    struct stat st {};
    if (::fstatat(parent.Get(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        Fail(LastError(), false, path);
    if (S_ISLNK(st.st_mode)) throw ErrorAbout(ELOOP, "change", path);
    const mode_t write = S_IWUSR | S_IWGRP | S_IWOTH;
    const mode_t mode = readOnly ? (st.st_mode & 07777 & ~write) : ((st.st_mode & 07777) | write);
    if (::fchmodat(parent.Get(), name.c_str(), mode, 0) != 0) Fail(LastError(), false, path);
}

std::uintmax_t FileSystem::FileSize(const std::string& path) const {
    std::error_code ec;
    const auto size = fs::file_size(paths_.ToNative(path), ec);
    if (ec) Fail(ec, false, path);
    return size;
}

std::string FileSystem::ReadAllBytes(const std::string& path) const {
    // A link the user made (to driver.ini, say) is read through; what it reaches must be a
    // regular file, opened without waiting for a writer.
    const fs::path native = paths_.ToNative(path);
    struct stat info {};
    Descriptor in = OpenForReading(AT_FDCWD, native.c_str(), path, info, true);
    return ReadContent(in.Get(), path);
}

std::string FileSystem::ReadRecord(const std::string& path, std::uintmax_t most) const {
    const fs::path native = paths_.ToNative(path);
    struct stat info {};
    Descriptor in = OpenForReading(AT_FDCWD, native.c_str(), path, info, false);
    return ReadContent(in.Get(), path, most);
}

}  // namespace movrand::platform
