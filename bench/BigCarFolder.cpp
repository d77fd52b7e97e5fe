// SPDX-License-Identifier: GPL-3.0-or-later
#include "BigCarFolder.h"

#include <array>
#include <fstream>
#include <random>
#include <string>

namespace movrand::bench {
namespace fs = std::filesystem;

void MakeBigCarFolder(const fs::path& folder, int files, std::size_t bytes, bool sparse) {
    static const std::array<const char*, 7> teams = {"brabham", "brm",   "coventry", "eagle",
                                                     "ferrari", "lotus", "murasama"};
    for (const char* team : teams) fs::create_directories(folder / team);
    std::mt19937_64 random(1967);
    std::string content(sparse ? 0 : bytes, '\0');
    for (int i = 0; i < files; ++i) {
        const fs::path file = folder / teams[static_cast<std::size_t>(i) % teams.size()] /
                              ("car" + std::to_string(i) + (i % 2 ? ".mip" : ".3do"));
        if (sparse) {
            std::ofstream(file, std::ios::binary).close();
            fs::resize_file(file, bytes);
            continue;
        }
        for (std::size_t k = 0; k + 8 <= content.size(); k += 8) {
            const std::uint64_t value = random();
            content.replace(k, 8, reinterpret_cast<const char*>(&value), 8);
        }
        std::ofstream(file, std::ios::binary) << content;
    }
}

void MakeFiles(const fs::path& folder, int files, std::size_t bytes) {
    fs::create_directories(folder);
    std::mt19937_64 random(1968);
    std::string content(bytes, '\0');
    for (int i = 0; i < files; ++i) {
        for (std::size_t k = 0; k + 8 <= content.size(); k += 8) {
            const std::uint64_t value = random();
            content.replace(k, 8, reinterpret_cast<const char*>(&value), 8);
        }
        std::ofstream(folder / ("part" + std::to_string(i) + ".mip"), std::ios::binary) << content;
    }
}

}  // namespace movrand::bench
