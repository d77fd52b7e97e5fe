#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>

// The core links nothing but the standard library and libarchive: no file outside a ui/ folder
// includes Qt, and only archives/ includes libarchive.
TEST(Layering, NoQtOutsideUiFolders) {
    const std::regex qtInclude(R"(#\s*include\s*<Q[A-Za-z])");
    const std::regex archiveInclude(R"(#\s*include\s*<archive)");
    int files = 0;
    for (const auto& entry :
         std::filesystem::recursive_directory_iterator(MOVRAND_SOURCE_DIR "/src")) {
        const std::string path = entry.path().string();
        if (!entry.is_regular_file() || path.find("/ui/") != std::string::npos) continue;
        ++files;
        std::ifstream in(entry.path());
        for (std::string line; std::getline(in, line);) {
            EXPECT_FALSE(std::regex_search(line, qtInclude)) << path << ": " << line;
            if (path.find("/src/archives/") == std::string::npos) {
                EXPECT_FALSE(std::regex_search(line, archiveInclude)) << path << ": " << line;
            }
        }
    }
    EXPECT_GT(files, 10);
}
