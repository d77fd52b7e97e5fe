#include "platform/FileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>

#include "platform/ChangeCount.h"
#include "platform/FaultPlan.h"
#include "platform/FileSystemErrors.h"
#include "platform/FileWork.h"
#include "platform/RuntimeError.h"
#include "platform/Text.h"
#include "platform/WholeFileReplace.h"

namespace movrand::platform {
namespace fs = std::filesystem;

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

[[noreturn]] void Fail(const std::error_code& ec, bool isFolder) {
    throw ErrorFromCode(ec, isFolder);
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

void MakeWritable(const fs::path& folder) {
    std::error_code ec;
    for (fs::recursive_directory_iterator it(folder, fs::directory_options::none, ec), end;
         !ec && it != end; it.increment(ec)) {
        if (ReadOnly(it->path()))
            fs::permissions(it->path(), fs::perms::owner_write, fs::perm_options::add, ec);
    }
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

void FileSystem::MutatingNative(const char* what, const fs::path& native) {
    ++changes;
    // The name is built only for a test's fault plan: folder copies pass here once per file.
    if (faults_) faults_->Check(what + paths_.ToWindows(native));
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
    if (parsed.DriveLetter && !DriveReady(parsed.DriveLetter)) throw RuntimeError(kDiskNotReady);
    const fs::path native = paths_.ToNative(path);
    std::error_code ec;
    const auto status = fs::status(native, ec);
    if (ec && ec != std::errc::no_such_file_or_directory && ec != std::errc::not_a_directory)
        Fail(ec, false);
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
std::vector<std::string> Names(const fs::path& folder, bool folders) {
    if (!IsFolder(folder)) throw RuntimeError(kPathNotFound);
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        const bool isFolder = it->is_directory(typeError);
        if (typeError) continue;
        if (isFolder == folders) names.push_back(it->path().filename().string());
    }
    if (ec) Fail(ec, true);
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return LessNoCase(a, b); });
    return names;
}
}  // namespace

std::vector<std::string> FileSystem::FileNames(const std::string& folder) const {
    return Names(paths_.ToNative(folder), false);
}

std::vector<std::string> FileSystem::FolderNames(const std::string& folder) const {
    return Names(paths_.ToNative(folder), true);
}

void FileSystem::CreateFolder(const std::string& path) {
    const fs::path native = paths_.ToNative(path);
    if (TypeOf(native) != fs::file_type::not_found) throw RuntimeError(kFileAlreadyExists);
    if (!IsFolder(native.parent_path())) throw RuntimeError(kPathNotFound);
    Mutating("create folder " + path);
    std::error_code ec;
    fs::create_directory(native, ec);
    if (ec) Fail(ec, true);
}

void FileSystem::DeleteFolder(const std::string& path, bool force) {
    const fs::path native = paths_.ToNative(path);
    if (TypeOf(native) != fs::file_type::directory) throw RuntimeError(kPathNotFound);
    if (!force && (ContainsReadOnly(native) || ReadOnly(native)))
        throw RuntimeError(kPermissionDenied);
    Mutating("delete folder " + path);
    std::error_code ec;
    if (force) MakeWritable(native);
    fs::remove_all(native, ec);
    if (ec) Fail(ec, true);
}

void FileSystem::MoveFolder(const std::string& source, const std::string& destination) {
    if (RenameFolder(source, destination)) return;
    // Across devices: the source stays untouched until its copy is complete and checked.
    const fs::path from = paths_.ToNative(source);
    const fs::path to = paths_.ToNative(destination);
    try {
        AheadInTree(from);
        CopyTree(from, to, false);
        if (!SameTree(from, to)) throw RuntimeError(kDeviceIoError);
    } catch (...) {
        std::error_code ignored;
        fs::remove_all(to, ignored);
        throw;
    }
    std::error_code ec;
    fs::remove_all(from, ec);
    if (ec) Fail(ec, true);
}

bool FileSystem::RenameFolder(const std::string& source, const std::string& destination) {
    const fs::path from = paths_.ToNative(source);
    const fs::path to = paths_.ToNative(destination);
    if (TypeOf(from) != fs::file_type::directory) throw RuntimeError(kPathNotFound);
    if (TypeOf(to) != fs::file_type::not_found) throw RuntimeError(kFileAlreadyExists);
    if (!IsFolder(to.parent_path())) throw RuntimeError(kPathNotFound);
    Mutating("move folder " + source + " to " + destination);
    std::error_code ec;
    fs::rename(from, to, ec);
    if (ec.value() == EXDEV) return false;
    if (ec) Fail(ec, true);
    SyncAfterRename(from, to);
    return true;
}

void FileSystem::CopyOneFile(const fs::path& from, const fs::path& to, bool overwrite) {
    const bool exists = TypeOf(to) != fs::file_type::not_found;
    if (exists) {
        if (IsFolder(to)) throw RuntimeError(kPermissionDenied);
        if (!overwrite) throw RuntimeError(kFileAlreadyExists);
        if (ReadOnly(to)) throw RuntimeError(kPermissionDenied);
    }
    ReplaceFileWithCopy(from, to);
}

// Into a folder this copy has just made there is no earlier file to keep whole, so the file is
// written under its own name; a copy that fails leaves no part of it behind.
void FileSystem::CopyNewFile(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    fs::copy_file(from, to, fs::copy_options::none, ec);
    if (!ec) {
        const auto time = fs::last_write_time(from, ec);
        if (!ec) fs::last_write_time(to, time, ec);
    }
    if (ec) {
        std::error_code ignored;
        fs::remove(to, ignored);
        Fail(ec, false);
    }
}

// Every folder made and every file or link copied is a step of its own for the fault hook, so a
// test can stop a folder copy half-way as a full disk would.
void FileSystem::CopyTree(const fs::path& from, const fs::path& to, bool overwrite) {
    std::error_code ec;
    const bool made = !IsFolder(to);
    if (made) {
        MutatingNative("create folder ", to);
        fs::create_directory(to, from, ec);
        if (ec) Fail(ec, true);
    }
    for (fs::directory_iterator it(from, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path target = to / it->path().filename();
        const auto type = it->symlink_status().type();
        if (type == fs::file_type::directory) {
            CopyTree(it->path(), target, overwrite);
        } else if (type == fs::file_type::symlink) {
            // A link is copied as the link it is, never followed.
            if (TypeOf(target) != fs::file_type::not_found) {
                if (!overwrite) throw RuntimeError(kFileAlreadyExists);
                fs::remove(target, ec);
                if (ec) Fail(ec, false);
            }
            MutatingNative("copy ", it->path());
            fs::copy_symlink(it->path(), target, ec);
            if (ec) Fail(ec, false);
        } else {
            MutatingNative("copy ", it->path());
            Carrying(it->path());
            if (made)
                CopyNewFile(it->path(), target);
            else
                CopyOneFile(it->path(), target, overwrite);
        }
    }
    if (ec) Fail(ec, true);
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

void FileSystem::Carrying(const fs::path& file) {
    if (work_) work_->Carrying(paths_.ToWindows(file));
}

void FileSystem::CopyFolder(const std::string& source, const std::string& destination,
                            bool overwrite) {
    const fs::path from = paths_.ToNative(source);
    const fs::path to = paths_.ToNative(destination);
    if (TypeOf(from) != fs::file_type::directory) throw RuntimeError(kPathNotFound);
    if (!IsFolder(to.parent_path())) throw RuntimeError(kPathNotFound);
    const fs::path canonicalFrom = fs::weakly_canonical(from);
    const fs::path canonicalTo = fs::weakly_canonical(to);
    const auto [end, ignored] = std::mismatch(canonicalFrom.begin(), canonicalFrom.end(),
                                              canonicalTo.begin(), canonicalTo.end());
    if (end == canonicalFrom.end()) throw RuntimeError(kPermissionDenied);  // into itself
    AheadInTree(from);
    CopyTree(from, to, overwrite);
}

void FileSystem::CopyFile(const std::string& source, const std::string& destination,
                          bool overwrite) {
    const fs::path from = paths_.ToNative(source);
    if (!IsFile(from)) throw RuntimeError(kFileNotFound);
    fs::path to;
    const bool intoFolder =
        !destination.empty() && (destination.back() == '\\' || destination.back() == '/');
    if (intoFolder) {
        const fs::path folder = paths_.ToNative(destination);
        if (!IsFolder(folder)) throw RuntimeError(kPathNotFound);
        to = ResolveName(folder, from.filename().string());
    } else {
        to = paths_.ToNative(destination);
        if (!IsFolder(to.parent_path())) throw RuntimeError(kPathNotFound);
    }
    Mutating("copy " + source + " to " + destination);
    CopyOneFile(from, to, overwrite);
}

// Renames a file; across devices copies it, then deletes the source.
void FileSystem::MoveOneFile(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    fs::rename(from, to, ec);
    if (ec.value() == EXDEV) {
        CopyOneFile(from, to, false);
        fs::remove(from, ec);
    }
    if (ec) Fail(ec, false);
}

void FileSystem::MoveFile(const std::string& source, const std::string& destination) {
    const fs::path from = paths_.ToNative(source);
    if (!IsFile(from)) throw RuntimeError(kFileNotFound);
    const fs::path to = paths_.ToNative(destination);
    if (TypeOf(to) != fs::file_type::not_found) throw RuntimeError(kFileAlreadyExists);
    if (!IsFolder(to.parent_path())) throw RuntimeError(kPathNotFound);
    Mutating("move " + source + " to " + destination);
    MoveOneFile(from, to);
}

namespace {

// The files of a folder by their lower-cased names, as stored.
class FolderIndex {
  public:
    explicit FolderIndex(const fs::path& folder) : folder_(folder) {
        std::error_code ec;
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
            const std::string name = it->path().filename().string();
            const std::string key = LowerCase(name);
            const auto found = names_.find(key);
            if (found == names_.end() || LessNoCase(name, found->second)) names_[key] = name;
        }
        if (ec) Fail(ec, true);
    }
    // The entry a name reaches without regard to case, or the name as given.
    fs::path Resolve(const std::string& name) const {
        const auto found = names_.find(LowerCase(name));
        return folder_ / (found == names_.end() ? name : found->second);
    }
    bool Has(const std::string& name) const { return names_.count(LowerCase(name)) > 0; }
    void Add(const std::string& name) { names_.emplace(LowerCase(name), name); }

  private:
    fs::path folder_;
    std::map<std::string, std::string> names_;
};

// A named file of a folder: the exact name when it is there, else resolved without regard to
// case. Raises 53 when it is no file.
fs::path SourceFile(const fs::path& folder, const std::string& name) {
    fs::path file = folder / name;
    if (!IsFile(file)) file = ResolveName(folder, name);
    if (!IsFile(file)) throw RuntimeError(kFileNotFound);
    return file;
}

}  // namespace

void FileSystem::CopyFilesInto(const std::string& sourceFolder,
                               const std::vector<std::string>& names,
                               const std::string& destinationFolder, bool overwrite) {
    const fs::path from = paths_.ToNative(sourceFolder);
    const fs::path to = paths_.ToNative(destinationFolder);
    if (!IsFolder(from) || !IsFolder(to)) throw RuntimeError(kPathNotFound);
    FolderIndex index(to);
    Ahead(static_cast<int>(names.size()));
    for (const std::string& name : names) {
        const fs::path source = SourceFile(from, name);
        Mutating("copy " + sourceFolder + "\\" + name + " to " + destinationFolder + "\\");
        Carrying(source);
        // Where nothing stands under the name there is no earlier file to keep whole.
        if (index.Has(source.filename().string()))
            CopyOneFile(source, index.Resolve(source.filename().string()), overwrite);
        else
            CopyNewFile(source, index.Resolve(source.filename().string()));
        index.Add(source.filename().string());
    }
}

void FileSystem::MoveFilesInto(const std::string& sourceFolder,
                               const std::vector<std::string>& names,
                               const std::string& destinationFolder) {
    const fs::path from = paths_.ToNative(sourceFolder);
    const fs::path to = paths_.ToNative(destinationFolder);
    if (!IsFolder(from) || !IsFolder(to)) throw RuntimeError(kPathNotFound);
    FolderIndex index(to);
    Ahead(static_cast<int>(names.size()));
    for (const std::string& name : names) {
        const fs::path source = SourceFile(from, name);
        const fs::path target = index.Resolve(source.filename().string());
        if (TypeOf(target) != fs::file_type::not_found) throw RuntimeError(kFileAlreadyExists);
        Mutating("move " + sourceFolder + "\\" + name + " to " + destinationFolder + "\\");
        Carrying(source);
        MoveOneFile(source, target);
        index.Add(source.filename().string());
    }
}

void FileSystem::DeleteFile(const std::string& path, bool force) {
    const fs::path native = paths_.ToNative(path);
    const auto type = TypeOf(native);
    if (type == fs::file_type::not_found || type == fs::file_type::directory)
        throw RuntimeError(kFileNotFound);
    if (!force && ReadOnly(native)) throw RuntimeError(kPermissionDenied);
    Mutating("delete " + path);
    std::error_code ec;
    fs::remove(native, ec);
    if (ec) Fail(ec, false);
}

void FileSystem::Rename(const std::string& path, const std::string& newName) {
    const fs::path from = paths_.ToNative(path);
    if (TypeOf(from) == fs::file_type::not_found) throw RuntimeError(kFileNotFound);
    if (newName.empty() || newName.find_first_of("\\/:") != std::string::npos)
        throw RuntimeError(kBadFileNameOrNumber);
    const fs::path to = from.parent_path() / newName;
    if (TypeOf(to) != fs::file_type::not_found &&
        !EqualsNoCase(to.filename().string(), from.filename().string()))
        throw RuntimeError(kFileAlreadyExists);
    Mutating("rename " + path + " to " + newName);
    std::error_code ec;
    fs::rename(from, to, ec);
    if (ec) Fail(ec, false);
}

void FileSystem::WriteWholeFile(const std::string& path, std::string_view bytes) {
    const fs::path native = paths_.ToNative(path);
    if (!IsFolder(native.parent_path())) throw RuntimeError(kPathNotFound);
    if (IsFolder(native) || ReadOnly(native)) throw RuntimeError(kPermissionDenied);
    // Each step up to the rename is a mutating operation of its own for the fault hook.
    ReplaceOptions options;
    options.BeforeStep = [&](ReplaceStep step) {
        if (step != ReplaceStep::SyncFolder) Mutating("write " + path);
    };
    ReplaceFileWithBytes(native, bytes, options);
}

void FileSystem::ReplaceFile(const std::string& source, const std::string& target) {
    const fs::path from = paths_.ToNative(source);
    if (!IsFile(from)) throw RuntimeError(kFileNotFound);
    const fs::path to = paths_.ToNative(target);
    if (ReadOnly(to)) throw RuntimeError(kPermissionDenied);
    Mutating("replace " + target + " with " + source);
    std::error_code ec;
    fs::rename(from, to, ec);
    if (ec) Fail(ec, false);
}

bool FileSystem::ExchangeFolders(const std::string& a, const std::string& b) {
    const fs::path first = paths_.ToNative(a);
    const fs::path second = paths_.ToNative(b);
    if (TypeOf(first) != fs::file_type::directory || TypeOf(second) != fs::file_type::directory)
        throw RuntimeError(kPathNotFound);
    Mutating("exchange folder " + a + " with " + b);
    if (::renameat2(AT_FDCWD, first.c_str(), AT_FDCWD, second.c_str(), RENAME_EXCHANGE) == 0) {
        SyncAfterRename(first, second);
        return true;
    }
    const int error = errno;
    if (error == EINVAL || error == ENOSYS || error == ENOTSUP || error == EXDEV) return false;
    Fail(std::error_code(error, std::generic_category()), true);
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
    if (ec) Fail(ec, true);
    return bytes;
}

std::uintmax_t FileSystem::FreeSpace(const std::string& folder) const {
    std::error_code ec;
    const fs::space_info space = fs::space(paths_.ToNative(folder), ec);
    if (ec) Fail(ec, true);
    return space.available;
}

bool FileSystem::SameDevice(const std::string& a, const std::string& b) const {
    struct stat first {
    }, second{};
    return ::stat(paths_.ToNative(a).c_str(), &first) == 0 &&
           ::stat(paths_.ToNative(b).c_str(), &second) == 0 && first.st_dev == second.st_dev;
}

TextReader FileSystem::OpenTextFile(const std::string& path) const {
    return TextReader(paths_.ToNative(path));
}

TextWriter FileSystem::CreateTextFile(const std::string& path, bool overwrite) {
    const fs::path native = paths_.ToNative(path);
    if (!overwrite && TypeOf(native) != fs::file_type::not_found)
        throw RuntimeError(kFileAlreadyExists);
    if (!IsFolder(native.parent_path())) throw RuntimeError(kPathNotFound);
    return TextWriter(native, faults_);
}

bool FileSystem::IsReadOnly(const std::string& path) const {
    return ReadOnly(paths_.ToNative(path));
}

void FileSystem::SetReadOnly(const std::string& path, bool readOnly) {
    const fs::path native = paths_.ToNative(path);
    if (TypeOf(native) == fs::file_type::not_found) throw RuntimeError(kFileNotFound);
    std::error_code ec;
    fs::permissions(native,
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    readOnly ? fs::perm_options::remove : fs::perm_options::add, ec);
    if (ec) Fail(ec, false);
}

std::uintmax_t FileSystem::FileSize(const std::string& path) const {
    std::error_code ec;
    const auto size = fs::file_size(paths_.ToNative(path), ec);
    if (ec) Fail(ec, false);
    return size;
}

std::string FileSystem::ReadAllBytes(const std::string& path) const {
    const fs::path native = paths_.ToNative(path);
    if (!IsFile(native)) throw RuntimeError(kFileNotFound);
    std::ifstream in(native, std::ios::binary | std::ios::ate);
    if (!in) throw RuntimeError(kPermissionDenied);
    // One read of the size the file has; a file that grows meanwhile is read on to its end.
    std::string bytes(static_cast<std::size_t>(std::max<std::streamoff>(in.tellg(), 0)), '\0');
    in.seekg(0);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    if (in) {
        std::ostringstream rest;
        rest << in.rdbuf();
        bytes += rest.str();
    }
    return bytes;
}

}  // namespace movrand::platform
