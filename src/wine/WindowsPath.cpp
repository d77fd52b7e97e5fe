// SPDX-License-Identifier: GPL-3.0-or-later
#include "wine/WindowsPath.h"

#include <sys/stat.h>
#include <cctype>
#include <mutex>
#include <optional>
#include <unordered_map>

#include "platform/FileSystemErrors.h"
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
            for (fs::directory_iterator entry(folder, ec), end; !ec && entry != end;
                 entry.increment(ec)) {
                const std::string stored = entry->path().filename().string();
                auto [slot, added] = fresh.Names.emplace(LowerCase(stored), stored);
                if (!added && LessNoCase(stored, slot->second)) slot->second = stored;
            }
            if (ec) return "";
            it = listings_.insert_or_assign(key, std::move(fresh)).first;
        }
        const auto found = it->second.Names.find(LowerCase(name));
        return found == it->second.Names.end() ? "" : found->second;
    }

    void Forget(const fs::path& folder) {
        std::lock_guard lock(mutex_);
        listings_.erase(folder.string());
    }

  private:
    struct Listing {
        fs::file_time_type Time;
        std::unordered_map<std::string, std::string> Names;
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
