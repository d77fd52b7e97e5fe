// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>

// The core links no Qt: no file outside a ui/ folder includes Qt. Beside the standard library it
// uses two libraries, each in one folder: libarchive in archives/, yaml-cpp in platform/ (Lutris's
// game files).
TEST(Layering, NoQtOutsideUiFoldersAndLibrariesInTheirFolders) {
    const std::regex qtInclude(R"(#\s*include\s*<Q[A-Za-z])");
    const std::regex archiveInclude(R"(#\s*include\s*<archive)");
    const std::regex yamlInclude(R"(#\s*include\s*<yaml-cpp/)");
    int files = 0;
    for (const auto& entry :
         std::filesystem::recursive_directory_iterator(MOVRAND_SOURCE_DIR "/src")) {
        const std::string path = entry.path().string();
        if (!entry.is_regular_file() || path.find("/ui/") != std::string::npos) continue;
        ++files;
        const bool platform = path.find("/src/platform/") != std::string::npos;
        std::ifstream in(entry.path());
        for (std::string line; std::getline(in, line);) {
            EXPECT_FALSE(std::regex_search(line, qtInclude)) << path << ": " << line;
            if (path.find("/src/archives/") == std::string::npos) {
                EXPECT_FALSE(std::regex_search(line, archiveInclude)) << path << ": " << line;
            }
            EXPECT_FALSE(!platform && std::regex_search(line, yamlInclude)) << path << ": " << line;
        }
    }
    EXPECT_GT(files, 10);
}
