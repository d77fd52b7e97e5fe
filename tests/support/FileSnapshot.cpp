#include "FileSnapshot.h"

#include <fstream>
#include <regex>
#include <set>
#include <sstream>

namespace movrand::test {
namespace fs = std::filesystem;

FileSnapshot FileSnapshot::Take(const fs::path& root) {
    FileSnapshot snapshot;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_regular_file() || it->is_symlink()) continue;
        std::ifstream in(it->path(), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        snapshot.files_[fs::relative(it->path(), root).generic_string()] = bytes.str();
    }
    return snapshot;
}

std::vector<std::string> FileSnapshot::LostIn(const FileSnapshot& later) const {
    // Name and bytes of every file the later snapshot holds, wherever it is.
    std::set<std::pair<std::string, std::string>> anywhere;
    for (const auto& [path, bytes] : later.files_) {
        std::string name = fs::path(path).filename().string();
        for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        anywhere.insert({name, bytes});
    }
    std::vector<std::string> lost;
    for (const auto& [path, bytes] : files_) {
        const auto same = later.files_.find(path);
        if (same != later.files_.end() && same->second == bytes) continue;
        std::string name = fs::path(path).filename().string();
        for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (!anywhere.count({name, bytes})) lost.push_back(path);
    }
    return lost;
}

std::string Differences(const std::map<std::string, std::string>& now,
                        const std::map<std::string, std::string>& expected) {
    std::string text;
    for (const auto& [name, bytes] : now) {
        const auto other = expected.find(name);
        if (other == expected.end())
            text += "+" + name + " ";
        else if (other->second != bytes)
            text += "~" + name + " ";
    }
    for (const auto& [name, bytes] : expected)
        if (!now.count(name)) text += "-" + name + " ";
    return text;
}

std::map<std::string, std::string> WithoutBackupNumbers(std::map<std::string, std::string> files) {
    static const std::regex backup(R"((replaced(accessories|cars)\\[a-z]+)\d+\\)");
    for (auto& [name, bytes] : files)
        if (name.rfind("zorvexacc_", 0) == 0) bytes = std::regex_replace(bytes, backup, "$1\\");
    return files;
}

}  // namespace movrand::test
