// SPDX-License-Identifier: GPL-3.0-or-later
#include "archives/UnpackArchive.h"

#include <dirent.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <set>

#include "archives/ArchiveLibrary.h"
#include "archives/ArchiveReader.h"
#include "archives/ArchiveScan.h"
#include "archives/EntryNames.h"
#include "archives/NewFolder.h"
#include "platform/FileSystemErrors.h"
#include "platform/Text.h"

namespace movrand::archives {

namespace {

constexpr std::uint64_t kMostTimesArchive = 100;
// The name a folder has while it is filled, after the name it will have.
constexpr const char* kUnpackSuffix = ".movrand-unpack";

// What has been written so far, counted as ContentLimits counts it.
struct Written {
    std::uint64_t Content = 0;
    std::uint64_t Disk = 0;
};

std::string LastPart(const std::string& windowsPath) {
    const std::size_t slash = windowsPath.find_last_of("\\/");
    return slash == std::string::npos ? windowsPath : windowsPath.substr(slash + 1);
}

std::string FolderPart(const std::string& windowsPath) {
    const std::size_t slash = windowsPath.find_last_of("\\/");
    return slash == std::string::npos ? "" : windowsPath.substr(0, slash);
}

// The names in a native folder under their letter-case key.
std::set<std::string> FoldedNamesIn(const std::string& folder, locale_t utf8) {
    std::set<std::string> names;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* item = ::readdir(dir)) names.insert(FoldedCase(item->d_name, utf8));
        ::closedir(dir);
    }
    return names;
}

// The first of "name", "name (2)", "name (3)" ... that the folder holds in no letter case.
std::string FreeName(const std::string& folder, const std::string& name, locale_t utf8) {
    const std::set<std::string> taken = FoldedNamesIn(folder, utf8);
    for (int n = 1;; ++n) {
        const std::string candidate = n == 1 ? name : name + " (" + std::to_string(n) + ")";
        if (!taken.contains(FoldedCase(candidate, utf8)) &&
            !taken.contains(FoldedCase(candidate + kUnpackSuffix, utf8)))
            return candidate;
    }
}

// Writes the data of the reader's current entry into a new file, within the limits.
void WriteEntryData(ArchiveReader& reader, NewFolder& folder, const PlannedEntry& entry,
                    const std::vector<std::string>& parts, const ContentLimits& limits,
                    Written& written, Refusal& refused) {
    const int fd = folder.CreateFile(parts);
    std::uint64_t end = 0;
    bool first = true;
    for (;;) {
        const void* data = nullptr;
        size_t size = 0;
        la_int64_t offset = 0;
        const int status =
            reader.Library().archive_read_data_block(reader.Handle(), &data, &size, &offset);
        if (status == ARCHIVE_EOF) break;
        if (status != ARCHIVE_OK) {  // a warning here is a bad checksum
            refused = reader.Encrypted()
                          ? Refusal{RefusalReason::Encrypted, entry.Name, ""}
                          : Refusal{RefusalReason::Unreadable, entry.Name, reader.ErrorText()};
            break;
        }
        const std::uint64_t blockEnd = static_cast<std::uint64_t>(offset) + size;
        // The sizes a header declares may lie: the content is measured as it is written, and
        // the decompression stops at the first block that would pass the limits.
        if (offset < 0 || !limits.Hold(written.Content, written.Disk, std::max(end, blockEnd))) {
            refused = Refusal{RefusalReason::TooLarge, entry.Name, ""};
            break;
        }
        end = std::max(end, blockEnd);
        folder.Write(fd, data, size, offset, first);
        first = false;
    }
    if (!refused && first) folder.Write(fd, "", 0, 0, true);  // an empty file is a step too
    written.Content += end + ContentLimits::kEntryShare;
    written.Disk += end + ContentLimits::kBlock;
    folder.CloseFile(fd, refused ? 0 : entry.ModifiedTime);
}

}  // namespace

std::string FolderNameOf(const std::string& archiveFileName) {
    const std::string lower = platform::LowerCase(archiveFileName);
    std::string name = archiveFileName;
    for (const char* ending : {".tar.gz", ".tar.bz2", ".tar.xz", ".tgz", ".tbz2", ".tbz", ".txz",
                               ".zip", ".7z", ".rar", ".tar", ".exe", ".gz", ".bz2", ".xz"}) {
        if (lower.ends_with(ending)) {
            name.resize(name.size() - std::string(ending).size());
            break;
        }
    }
    if (name == archiveFileName && name.find('.') != std::string::npos && name.find('.') > 0)
        name.resize(name.rfind('.'));
    name = platform::Trim(name);
    while (!name.empty() && name.back() == '.') name.pop_back();
    return IsWindowsName(name) ? name : "Unpacked add-on";
}

bool IsAddOnArchive(const platform::Environment& env, const std::string& path) {
    const std::string native = env.Files().Native(path).string();
    struct stat info;
    return ::stat(native.c_str(), &info) == 0 && S_ISREG(info.st_mode) && IsArchive(native);
}

UnpackResult UnpackArchive(const platform::Environment& env, platform::Ui& ui,
                           const std::string& archive, const std::string& intoFolder) {
    const platform::FileSystem fs = env.Files();
    const std::string archiveName = LastPart(archive);
    std::string parent = intoFolder.empty() ? FolderPart(archive) : intoFolder;
    while (parent.size() > 3 && (parent.back() == '\\' || parent.back() == '/')) parent.pop_back();
    if (!fs.FileExists(archive)) throw platform::FileError(platform::kFileNotFound, archive);
    if (!fs.FolderExists(parent)) throw platform::FileError(platform::kPathNotFound, parent);
    const std::string nativeArchive = fs.Native(archive).string();
    const std::string nativeParent = fs.Native(parent).string();

    struct stat archiveInfo;
    struct statvfs disk;
    if (::stat(nativeArchive.c_str(), &archiveInfo) != 0 ||
        ::statvfs(nativeParent.c_str(), &disk) != 0)
        throw platform::FileError(platform::kPathFileAccessError, archive);
    ContentLimits limits;
    limits.Free = static_cast<std::uint64_t>(disk.f_bavail) * disk.f_frsize;
    // The new folder itself takes a block too.
    limits.Free -= std::min(limits.Free, ContentLimits::kBlock);
    limits.Content = static_cast<std::uint64_t>(archiveInfo.st_size) * kMostTimesArchive;

    UnpackResult result;
    const ArchivePlan plan = ScanArchive(nativeArchive, limits);
    if (plan.Refused) {
        result.Refusal = RefusalText(archiveName, plan.Refused);
        return result;
    }

    ArchiveReader reader(nativeArchive);
    RemoveAbandonedFolders(nativeParent, kUnpackSuffix);
    const std::string finalName =
        FreeName(nativeParent, FolderNameOf(archiveName), reader.Utf8Locale());
    NewFolder folder(nativeParent, finalName + kUnpackSuffix, env.Faults.get());
    Refusal refused;
    Written written;
    const int total = static_cast<int>(plan.Entries.size());
    int done = 0;
    std::vector<std::string> parts;
    for (const PlannedEntry& entry : plan.Entries) {
        // The second pass must meet the same entries the first one checked.
        ArchiveReader::Step step;
        do {
            step = reader.Next();
        } while (step == ArchiveReader::Step::Entry &&
                 (SplitEntryName(reader.EntryName(), parts), parts.empty()));
        if (step != ArchiveReader::Step::Entry || reader.EntryName() != entry.Name) {
            refused = Refusal{RefusalReason::Unreadable, entry.Name, reader.ErrorText()};
            break;
        }
        parts = entry.Parts;
        if (plan.SingleTopFolder) parts.erase(parts.begin());
        ui.ShowFileProgress({done, total, archive + "\\" + entry.Name, "Unpacking files"});
        if (parts.empty()) {
            // the top folder itself
        } else if (entry.IsFolder) {
            folder.MakeFolder(parts);
        } else {
            WriteEntryData(reader, folder, entry, parts, limits, written, refused);
            if (refused) break;
        }
        ++done;
    }
    ui.EndFileProgress();
    if (refused) {
        result.Refusal = RefusalText(archiveName, refused);
        return result;  // the folder removes itself
    }
    std::string name = finalName;
    for (int n = 2; !folder.SyncAndRenameTo(name); ++n)
        name = FreeName(nativeParent, FolderNameOf(archiveName), reader.Utf8Locale());
    result.Unpacked = true;
    result.Folder = parent + (parent.ends_with("\\") ? "" : "\\") + name;
    return result;
}

}  // namespace movrand::archives
