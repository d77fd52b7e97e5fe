// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileSnapshot.h"

#include <fstream>
#include <regex>
#include <sstream>
#include <stdexcept>

namespace movrand::test {
namespace fs = std::filesystem;

std::string ReadFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + file.string());
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::map<std::string, std::string> TreeOf(const fs::path& folder) {
    std::map<std::string, std::string> files;
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) return files;
    for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        // A lock file (the program's folder's, or the installation's that its first run makes)
        // holds nothing and tells nothing of what a run did.
        if (it->path().filename() == "movrand.lock") continue;
        if (it->is_regular_file() && !it->is_symlink())
            files[fs::relative(it->path(), folder).generic_string()] = ReadFile(it->path());
    }
    return files;
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
