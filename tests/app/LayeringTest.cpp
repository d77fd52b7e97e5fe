#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>

// The core links nothing but the standard library: no file outside a ui/ folder includes Qt.
TEST(Layering, NoQtOutsideUiFolders) {
    const std::regex qtInclude(R"(#\s*include\s*<Q[A-Za-z])");
    int files = 0;
    for (const auto& entry :
         std::filesystem::recursive_directory_iterator(MOVRAND_SOURCE_DIR "/src")) {
        const std::string path = entry.path().string();
        if (!entry.is_regular_file() || path.find("/ui/") != std::string::npos) continue;
        ++files;
        std::ifstream in(entry.path());
        for (std::string line; std::getline(in, line);)
            EXPECT_FALSE(std::regex_search(line, qtInclude)) << path << ": " << line;
    }
    EXPECT_GT(files, 10);
}
