// SPDX-License-Identifier: GPL-3.0-or-later
#include "wine/GameProcesses.h"

#include <sys/stat.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/SmallFile.h"
#include "platform/Text.h"

namespace movrand::platform {
namespace fs = std::filesystem;

namespace {

constexpr std::size_t kLargestProcessText = 1 << 20;

std::vector<std::string> NulSeparated(const std::string& text) {
    std::vector<std::string> parts;
    for (std::size_t from = 0; from < text.size();) {
        std::size_t to = text.find('\0', from);
        if (to == std::string::npos) to = text.size();
        parts.push_back(text.substr(from, to - from));
        from = to + 1;
    }
    return parts;
}

// Whether an argument names gpl.exe, in Windows or native notation.
bool NamesGame(const std::string& argument) {
    const std::size_t name = argument.find_last_of("/\\");
    return EqualsNoCase(name == std::string::npos ? argument : argument.substr(name + 1),
                        "gpl.exe");
}

std::optional<std::pair<dev_t, ino_t>> Identity(const fs::path& folder) {
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0) return std::nullopt;
    return std::pair{st.st_dev, st.st_ino};
}

// Whether a native path lies inside the folder `identity` names.
bool LiesInside(const fs::path& path, const std::pair<dev_t, ino_t>& identity) {
    for (fs::path folder = path.parent_path(); folder.has_relative_path();
         folder = folder.parent_path())
        if (Identity(folder) == identity) return true;
    return false;
}

}  // namespace

bool GameRunsInPrefix(const fs::path& prefix) {
    const auto identity = Identity(prefix);
    if (!identity) return false;
    std::error_code ec;
    for (fs::directory_iterator it("/proc", ec), end; !ec && it != end; it.increment(ec)) {
        const std::string pid = it->path().filename().string();
        if (pid.find_first_not_of("0123456789") != std::string::npos) continue;
        const auto cmdline = ReadSmallFile(it->path() / "cmdline", kLargestProcessText);
        if (!cmdline) continue;
        bool game = false;
        for (const std::string& argument : NulSeparated(*cmdline)) {
            if (!NamesGame(argument)) continue;
            if (!argument.empty() && argument.front() == '/' && LiesInside(argument, *identity))
                return true;
            game = true;
        }
        if (!game) continue;
        const auto environ = ReadSmallFile(it->path() / "environ", kLargestProcessText);
        if (!environ) continue;
        std::string winePrefix, home;
        for (const std::string& entry : NulSeparated(*environ)) {
            if (entry.starts_with("WINEPREFIX=")) winePrefix = entry.substr(11);
            if (entry.starts_with("HOME=")) home = entry.substr(5);
        }
        if (winePrefix.empty() && !home.empty()) winePrefix = home + "/.wine";
        if (!winePrefix.empty() && Identity(winePrefix) == identity) return true;
    }
    return false;
}

}  // namespace movrand::platform
