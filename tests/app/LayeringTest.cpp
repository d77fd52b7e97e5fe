#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>

namespace {

// The core links nothing but the standard library: no file outside a ui/ folder includes Qt.
TEST(Layering, NoQtOutsideUiFolders) {
    namespace fs = std::filesystem;
    const std::regex qtInclude(R"(#\s*include\s*<Q[A-Za-z])");
    std::vector<std::string> offenders;
    int files = 0;
    for (const auto& entry :
         fs::recursive_directory_iterator(fs::path(MOVRAND_SOURCE_DIR) / "src")) {
        if (!entry.is_regular_file()) continue;
        const std::string path = entry.path().string();
        if (path.find("/ui/") != std::string::npos) continue;
        ++files;
        std::ifstream in(entry.path());
        std::string line;
        while (std::getline(in, line))
            if (std::regex_search(line, qtInclude)) offenders.push_back(path + ": " + line);
    }
    EXPECT_GT(files, 10);
    EXPECT_TRUE(offenders.empty()) << offenders.front();
}

}  // namespace
