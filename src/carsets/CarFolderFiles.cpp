// SPDX-License-Identifier: GPL-3.0-or-later
#include "carsets/CarFolderFiles.h"

#include <algorithm>
#include <chrono>

#include "carsets/CarSetPath.h"

namespace movrand::carsets {

namespace {

std::int64_t NowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

}  // namespace

FolderFiles ReadFolderFiles(const std::filesystem::path& native, const std::string& shown) {
    FolderFiles result;
    platform::FileTree tree = platform::ReadFileTree(native);
    if (!tree.Odd.empty()) {
        std::string odd = tree.Odd.front();
        std::replace(odd.begin(), odd.end(), '/', '\\');
        result.Refusal = "The folder " + shown + " holds " + odd +
                         ", which is no plain file or folder (a link?): a car set cannot carry it.";
        return result;
    }
    result.Files.reserve(tree.Files.size());
    for (platform::TreeFile& facts : tree.Files) {
        std::string path = facts.Name;
        const bool backslash = path.find('\\') != std::string::npos;
        std::replace(path.begin(), path.end(), '/', '\\');
        if (IsOwnRecordPath(path)) continue;
        const std::string why = backslash ? "the character \\" : SetPathRefusal(path);
        if (!why.empty()) {
            result.Refusal = "The file " + shown + "\\" + path +
                             " cannot be part of a car set: " + "its name holds " + why + ".";
            return result;
        }
        result.Files.push_back({std::move(path), std::move(facts), ""});
    }
    std::vector<std::pair<std::string, std::size_t>> order;
    order.reserve(result.Files.size());
    for (std::size_t i = 0; i < result.Files.size(); ++i)
        order.emplace_back(SetKey(result.Files[i].Path), i);
    std::sort(order.begin(), order.end());
    std::vector<FolderFile> sorted;
    sorted.reserve(order.size());
    for (const auto& [key, i] : order) sorted.push_back(std::move(result.Files[i]));
    result.Files = std::move(sorted);
    for (std::size_t i = 1; i < result.Files.size(); ++i)
        if (SetKey(result.Files[i].Path) == SetKey(result.Files[i - 1].Path)) {
            result.Refusal = "The folder " + shown + " holds both " + result.Files[i - 1].Path +
                             " and " + result.Files[i].Path +
                             ", which the game cannot tell apart: a car set cannot carry both.";
            return result;
        }
    return result;
}

void Fingerprint(const std::filesystem::path& native, std::vector<FolderFile>& files,
                 HashCache& cache, const std::function<bool(const FolderFile&)>& wanted) {
    std::vector<std::size_t> toRead;
    std::vector<std::string> names;
    const std::string folder = native.string() + "/";
    for (std::size_t i = 0; i < files.size(); ++i) {
        FolderFile& file = files[i];
        if (!file.Hash.empty() || (wanted && !wanted(file))) continue;
        if (const auto kept = cache.Find(folder + file.Facts.Name, file.Facts)) {
            file.Hash = *kept;
            continue;
        }
        toRead.push_back(i);
        names.push_back(file.Facts.Name);
    }
    if (names.empty()) return;
    const std::int64_t readFrom = NowNs();
    const std::vector<std::string> hashes = platform::FastHashesOf(native, names);
    for (std::size_t k = 0; k < toRead.size(); ++k) {
        FolderFile& file = files[toRead[k]];
        file.Hash = hashes[k];
        cache.Keep(folder + file.Facts.Name, file.Facts, file.Hash, readFrom);
    }
}

std::vector<CarSetFile> SetFilesOf(const std::vector<FolderFile>& files) {
    std::vector<CarSetFile> lines;
    lines.reserve(files.size());
    for (const FolderFile& file : files) lines.push_back({file.Path, file.Facts.Size, file.Hash});
    return lines;
}

}  // namespace movrand::carsets
