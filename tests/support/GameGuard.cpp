// SPDX-License-Identifier: GPL-3.0-or-later
#include "GameGuard.h"

#include <algorithm>
#include <array>
#include <set>

#include "DemoInstallation.h"

namespace movrand::test {
namespace fs = std::filesystem;

namespace {

const std::array<std::string, 7> kTeams = {"brabham", "brm",   "coventry", "eagle",
                                           "ferrari", "lotus", "murasama"};

std::map<std::string, std::string> FilesUnder(const std::vector<fs::path>& roots) {
    std::map<std::string, std::string> files;
    for (const fs::path& root : roots)
        for (const auto& [relative, bytes] : TreeOf(root))
            files[(root / relative).generic_string()] = bytes;
    return files;
}

std::string LowerName(const std::string& path) {
    std::string name = fs::path(path).filename().string();
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return name;
}

bool Below(const std::string& path, const fs::path& folder) {
    const std::string prefix = folder.generic_string();
    return path.compare(0, prefix.size(), prefix) == 0 &&
           (path.size() == prefix.size() || path[prefix.size()] == '/');
}

}  // namespace

GameGuard GameGuard::Take(const std::vector<fs::path>& roots, const fs::path& gpl) {
    GameGuard guard;
    guard.roots_ = roots;
    guard.gpl_ = gpl;
    guard.before_ = FilesUnder(roots);
    return guard;
}

std::vector<std::string> GameGuard::Lost(const std::vector<fs::path>& excused) const {
    const std::map<std::string, std::string> now = FilesUnder(roots_);
    std::set<std::pair<std::string, std::string>> anywhere;
    for (const auto& [path, bytes] : now) anywhere.insert({LowerName(path), bytes});
    std::vector<std::string> lost;
    for (const auto& [path, bytes] : before_) {
        const auto same = now.find(path);
        if (same != now.end() && same->second == bytes) continue;
        if (anywhere.count({LowerName(path), bytes})) continue;
        if (std::any_of(excused.begin(), excused.end(),
                        [&](const fs::path& folder) { return Below(path, folder); }))
            continue;
        // The history's own index and records change with every step; the files it keeps
        // are counted as anywhere else.
        if (Below(path, gpl_ / "movrand" / "history") &&
            fs::path(path).parent_path().filename() != "content")
            continue;
        lost.push_back(path);
    }
    return lost;
}

std::string GameGuard::LiveCarFolderProblem() const {
    return CarFolderProblem(gpl_ / "cars" / "cars67");
}

std::string CarFolderProblem(const fs::path& folder) {
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) return "no car folder at " + folder.string();
    int count = 0;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_directory()) continue;
        count += static_cast<int>(
            std::count(kTeams.begin(), kTeams.end(), LowerName(it->path().string())));
    }
    return count == 7 ? "" : folder.string() + " holds " + std::to_string(count) + " team folders";
}

void WriteCarFolder(const fs::path& folder, const std::string& tag) {
    for (const std::string& team : kTeams)
        demo::WriteFile(folder / team / (team + ".dat"), tag + " " + team + "\r\n");
}

}  // namespace movrand::test
