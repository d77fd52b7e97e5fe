// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>

namespace {

namespace fs = std::filesystem;

// The folders of src/ from the bottom up. A folder may include its own files and those of the
// layers below it; folders of one layer do not include each other. A ui/ folder sits just above
// its own folder (it may include its folder, and the ui/ folders of lower layers).
const std::vector<std::vector<std::string>> kLayers = {
    {"platform"},
    {"wine"},
    {"launchers"},
    {"common", "resources"},
    {"history"},
    {"roster", "archives", "dialogs"},
    {"addons", "links"},
    {"folders"},
    {"installation", "carsets"},
    {"session"},
    {"mainwindow"},
    {"cli"},
    {"app"},
};

// A folder's height: its layer twice over, plus one for a ui/ folder. -1 for an unknown folder.
int Height(const std::string& top, bool ui) {
    for (std::size_t layer = 0; layer < kLayers.size(); ++layer) {
        for (const std::string& name : kLayers[layer])
            if (name == top) return static_cast<int>(layer) * 2 + (ui ? 1 : 0);
    }
    return -1;
}

struct Place {
    std::string Top;  // the folder right under src/
    bool Ui = false;  // in a ui/ folder (at any depth)
    int Height() const { return ::Height(Top, Ui); }
    bool operator==(const Place&) const = default;
};

Place PlaceOf(const std::string& relative) {  // "links/ui/frmURL.h"
    Place place;
    place.Top = relative.substr(0, relative.find('/'));
    place.Ui = relative.find("/ui/") != std::string::npos;
    return place;
}

}  // namespace

// No folder includes one above it or beside it, so the folders show which code may use which.
TEST(Layering, NoFolderIncludesOneAboveOrBesideIt) {
    const std::regex projectInclude(R"(^\s*#\s*include\s*"([a-z]+/[^"]+)\")");
    const fs::path src = MOVRAND_SOURCE_DIR "/src";
    int includes = 0;
    for (const auto& entry : fs::recursive_directory_iterator(src)) {
        if (!entry.is_regular_file()) continue;
        const std::string file = entry.path().lexically_relative(src).generic_string();
        if (file.find('/') == std::string::npos) continue;  // CMakeLists.txt
        const Place from = PlaceOf(file);
        ASSERT_GE(from.Height(), 0) << file << ": a folder that no layer names";
        std::ifstream in(entry.path());
        std::smatch match;
        for (std::string line; std::getline(in, line);) {
            if (!std::regex_search(line, match, projectInclude)) continue;
            const Place to = PlaceOf(match[1].str());
            if (to.Height() < 0) continue;  // a generated or library header
            ++includes;
            EXPECT_TRUE(to == from || to.Height() < from.Height() || (to.Top == from.Top && !to.Ui))
                << file << " includes " << match[1].str() << ", which lies above or beside it";
        }
    }
    EXPECT_GT(includes, 300);
}

// The core links no Qt: no file outside a ui/ folder includes Qt. Beside the standard library it
// uses its libraries each in one room: libarchive in archives/, yaml-cpp, SQLite and nlohmann-json
// (the launchers' own files) in launchers/, xxHash (the history's fingerprints) in platform/.
TEST(Layering, NoQtOutsideUiFoldersAndLibrariesInTheirFolders) {
    const std::regex qtInclude(R"(#\s*include\s*<Q[A-Za-z])");
    const std::regex archiveInclude(R"(#\s*include\s*<archive)");
    const std::regex launcherInclude(R"(#\s*include\s*<(yaml-cpp/|sqlite3|nlohmann/))");
    const std::regex hashInclude(R"(#\s*include\s*<xxhash)");
    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(MOVRAND_SOURCE_DIR "/src")) {
        const std::string path = entry.path().string();
        if (!entry.is_regular_file() || path.find("/ui/") != std::string::npos) continue;
        ++files;
        const bool platform = path.find("/src/platform/") != std::string::npos;
        const bool launchers = path.find("/src/launchers/") != std::string::npos;
        std::ifstream in(entry.path());
        for (std::string line; std::getline(in, line);) {
            EXPECT_FALSE(std::regex_search(line, qtInclude)) << path << ": " << line;
            if (path.find("/src/archives/") == std::string::npos) {
                EXPECT_FALSE(std::regex_search(line, archiveInclude)) << path << ": " << line;
            }
            EXPECT_FALSE(!launchers && std::regex_search(line, launcherInclude))
                << path << ": " << line;
            EXPECT_FALSE(!platform && std::regex_search(line, hashInclude)) << path << ": " << line;
        }
    }
    EXPECT_GT(files, 10);
}
