// SPDX-License-Identifier: GPL-3.0-or-later
#include "wine/WindowsPath.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <memory>
#include <mutex>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/FileSystemErrors.h"
#include "platform/FolderEntries.h"
#include "platform/Text.h"

namespace movrand::platform {
namespace fs = std::filesystem;

WindowsPath WindowsPath::Parse(std::string_view text) {
    WindowsPath path;
    if (text.size() >= 2 && text[1] == ':' && std::isalpha(static_cast<unsigned char>(text[0]))) {
        path.DriveLetter = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
        text.remove_prefix(2);
    }
    std::string part;
    auto flush = [&] {
        if (part.empty() || part == ".") {
        } else if (part == "..") {
            if (!path.Components.empty()) path.Components.pop_back();
        } else {
            path.Components.push_back(part);
        }
        part.clear();
    };
    for (char c : text) {
        if (c == '\\' || c == '/')
            flush();
        else
            part += c;
    }
    flush();
    return path;
}

std::string WindowsPath::Text() const {
    std::string text;
    if (DriveLetter) {
        text += DriveLetter;
        text += ':';
    }
    if (Components.empty()) return text + "\\";
    for (const std::string& c : Components) text += "\\" + c;
    return text;
}

namespace {

bool Exists(const fs::path& p) {
    std::error_code ec;
    return fs::symlink_status(p, ec).type() != fs::file_type::not_found && !ec;
}

// Compares two names as lower-cased ASCII, as a search without regard to case matches them.
bool BeforeNoCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) {
        return static_cast<unsigned char>((c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c);
    };
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char x = lower(a[i]), y = lower(b[i]);
        if (x != y) return x < y;
    }
    return a.size() < b.size();
}

// One folder's names as read, packed one after another into a single text and ordered without
// regard to case (names that differ only in case: byte order), so that reading a folder of
// thousands of names costs a few allocations and a search is a binary search.
class FolderListing {
  public:
    // Reads `folder`; false when it cannot be read whole.
    bool Read(const fs::path& folder) {
        DIR* const dir = ::opendir(folder.c_str());
        if (!dir) return false;
        const std::unique_ptr<DIR, int (*)(DIR*)> closer(dir, ::closedir);
        const int error = platform::ForEachEntry(dir, [this](const dirent& entry) {
            const std::size_t size = std::strlen(entry.d_name);
            entries_.push_back(
                {static_cast<std::uint32_t>(text_.size()), static_cast<std::uint32_t>(size)});
            text_.append(entry.d_name, size);
        });
        if (error != 0) return false;
        std::sort(entries_.begin(), entries_.end(),
                  [this](const Entry& a, const Entry& b) { return LessNoCase(Name(a), Name(b)); });
        return true;
    }

    // The stored name matching `name` without regard to case, or "" when none does; of names
    // that differ only in case, the first in byte order.
    std::string Find(std::string_view name) const {
        const auto found = std::lower_bound(
            entries_.begin(), entries_.end(), name,
            [this](const Entry& e, std::string_view n) { return BeforeNoCase(Name(e), n); });
        if (found == entries_.end() || !EqualsNoCase(Name(*found), name)) return "";
        return std::string(Name(*found));
    }

  private:
    struct Entry {
        std::uint32_t Offset;
        std::uint32_t Size;
    };
    std::string_view Name(const Entry& e) const {
        return std::string_view(text_).substr(e.Offset, e.Size);
    }
    std::string text_;
    std::vector<Entry> entries_;
};

// Remembers the listings of folders searched without regard to case, each with the folder's
// modification time, so a repeated search costs one stat instead of a scan. A listing is used only
// while its folder's time is unchanged, and every name it gives is checked on disk by the caller.
class FolderListings {
  public:
    // The stored name matching `name` without regard to case, or "" when none does.
    std::string Find(const fs::path& folder, const std::string& name) {
        std::error_code ec;
        const auto time = fs::last_write_time(folder, ec);
        if (ec) return "";
        const std::string key = folder.string();
        std::lock_guard lock(mutex_);
        auto it = listings_.find(key);
        if (it == listings_.end() || it->second.Time != time) {
            if (listings_.size() > 4096) listings_.clear();
            Listing fresh{time, {}};
            if (!fresh.Names.Read(folder)) return "";
            it = listings_.insert_or_assign(key, std::move(fresh)).first;
        }
        return it->second.Names.Find(name);
    }

    void Forget(const fs::path& folder) {
        std::lock_guard lock(mutex_);
        listings_.erase(folder.string());
    }

  private:
    struct Listing {
        fs::file_time_type Time;
        FolderListing Names;
    };
    std::mutex mutex_;
    std::unordered_map<std::string, Listing> listings_;
};

FolderListings& Listings() {
    static FolderListings listings;
    return listings;
}

// Whole paths resolved before, by their lower-cased text; a hit is used only when it still exists.
class ResolvedPaths {
  public:
    std::optional<fs::path> Find(const std::string& key) {
        std::lock_guard lock(mutex_);
        const auto it = paths_.find(key);
        if (it == paths_.end()) return std::nullopt;
        return it->second;
    }
    void Store(std::string key, const fs::path& resolved) {
        std::lock_guard lock(mutex_);
        if (paths_.size() > 16384) paths_.clear();
        paths_.insert_or_assign(std::move(key), resolved);
    }

  private:
    std::mutex mutex_;
    std::unordered_map<std::string, fs::path> paths_;
};

ResolvedPaths& Resolved() {
    static ResolvedPaths resolved;
    return resolved;
}

}  // namespace

fs::path ResolveName(const fs::path& folder, const std::string& name) {
    fs::path exact = folder / name;
    if (Exists(exact)) return exact;
    std::string stored = Listings().Find(folder, name);
    if (!stored.empty() && !Exists(folder / stored)) {
        // The folder changed within the time's resolution: look again.
        Listings().Forget(folder);
        stored = Listings().Find(folder, name);
    }
    return stored.empty() ? exact : folder / stored;
}

namespace {
// The native text of a drive's root, without a trailing separator ("" for "/").
std::string RootText(const fs::path& root) {
    std::string text = root.native();
    while (!text.empty() && text.back() == '/') text.pop_back();
    return text;
}

bool ExistsText(const std::string& native) {
    struct stat st {};
    return ::lstat(native.c_str(), &st) == 0;
}
}  // namespace

fs::path PathResolver::ToNative(std::string_view windowsPath) const {
    const WindowsPath parsed = WindowsPath::Parse(windowsPath);
    std::string base;
    if (parsed.DriveLetter) {
        const Drive* drive = drives_.FindDrive(parsed.DriveLetter);
        if (!drive) throw FileError(kDiskNotReady, std::string(windowsPath));
        base = RootText(drive->Root);
    } else {
        std::error_code ec;
        base = RootText(fs::current_path(ec));
    }
    std::string direct = base;
    for (const std::string& c : parsed.Components) {
        direct += '/';
        direct += c;
    }
    if (direct.empty()) direct.push_back('/');
    // A path resolved before is taken while it still exists (when two names differ only in case,
    // either is a right answer).
    std::string key = LowerCase(direct);
    if (const auto known = Resolved().Find(key); known && ExistsText(known->native()))
        return *known;
    if (ExistsText(direct)) return fs::path(std::move(direct));

    fs::path native = base.empty() ? fs::path("/") : fs::path(base);
    bool exists = true;
    for (const std::string& c : parsed.Components) {
        if (exists) {
            native = ResolveName(native, c);
            exists = Exists(native);
        } else {
            native /= c;
        }
    }
    if (exists) Resolved().Store(std::move(key), native);
    return native;
}

std::string PathResolver::ToWindows(const fs::path& native) const {
    std::error_code ec;
    fs::path absolute = fs::weakly_canonical(fs::absolute(native, ec), ec);
    if (ec) absolute = fs::absolute(native).lexically_normal();
    const auto drive = drives_.DriveHolding(absolute);
    if (!drive) throw FileError(kPathNotFound, native.string());
    fs::path root = fs::weakly_canonical(drive->Root, ec);
    if (ec) root = drive->Root;
    const fs::path relative = absolute.lexically_relative(root);
    WindowsPath path;
    path.DriveLetter = drive->Letter;
    for (const fs::path& part : relative) {
        const std::string text = part.string();
        if (!text.empty() && text != ".") path.Components.push_back(text);
    }
    return path.Text();
}

std::string PathResolver::Reported(std::string_view windowsPath) const {
    const WindowsPath parsed = WindowsPath::Parse(windowsPath);
    if (!parsed.DriveLetter) return parsed.Text();
    const auto drive = drives_.Find(parsed.DriveLetter);
    if (!drive) throw FileError(kDiskNotReady, std::string(windowsPath));
    WindowsPath reported;
    reported.DriveLetter = parsed.DriveLetter;
    fs::path native = drive->Root;
    std::error_code ec;
    bool exists = true;
    for (const std::string& c : parsed.Components) {
        if (exists) {
            native = ResolveName(native, c);
            exists = fs::symlink_status(native, ec).type() != fs::file_type::not_found && !ec;
            reported.Components.push_back(exists ? native.filename().string() : c);
        } else {
            reported.Components.push_back(c);
        }
    }
    return reported.Text();
}

}  // namespace movrand::platform
