#include "platform/WindowsPath.h"

#include <cctype>

#include "platform/RuntimeError.h"
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

fs::path ResolveName(const fs::path& folder, const std::string& name) {
    std::error_code ec;
    fs::path exact = folder / name;
    if (fs::symlink_status(exact, ec).type() != fs::file_type::not_found && !ec) return exact;
    fs::path found;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string entry = it->path().filename().string();
        if (EqualsNoCase(entry, name) &&
            (found.empty() || LessNoCase(entry, found.filename().string())))
            found = it->path();
    }
    return found.empty() ? exact : found;
}

fs::path PathResolver::ToNative(std::string_view windowsPath) const {
    const WindowsPath parsed = WindowsPath::Parse(windowsPath);
    fs::path base;
    if (parsed.DriveLetter) {
        const auto drive = drives_.Find(parsed.DriveLetter);
        if (!drive) throw RuntimeError(kDiskNotReady);
        base = drive->Root;
    } else {
        std::error_code ec;
        base = fs::current_path(ec);
    }
    // The common case: the path exists exactly as written.
    fs::path direct = base;
    for (const std::string& c : parsed.Components) direct /= c;
    std::error_code ec;
    if (fs::symlink_status(direct, ec).type() != fs::file_type::not_found && !ec) return direct;

    fs::path native = base;
    bool exists = true;
    for (const std::string& c : parsed.Components) {
        if (exists) {
            native = ResolveName(native, c);
            exists = fs::symlink_status(native, ec).type() != fs::file_type::not_found && !ec;
        } else {
            native /= c;
        }
    }
    return native;
}

std::string PathResolver::ToWindows(const fs::path& native) const {
    std::error_code ec;
    fs::path absolute = fs::weakly_canonical(fs::absolute(native, ec), ec);
    if (ec) absolute = fs::absolute(native).lexically_normal();
    const auto drive = drives_.DriveHolding(absolute);
    if (!drive) throw RuntimeError(kPathNotFound);
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
    if (!drive) throw RuntimeError(kDiskNotReady);
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
