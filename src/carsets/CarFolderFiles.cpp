// SPDX-License-Identifier: GPL-3.0-or-later
#include "carsets/CarFolderFiles.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <string_view>

#include "carsets/CarSetPath.h"

namespace movrand::carsets {

namespace {

std::int64_t NowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

// The places (in `files`) of the files in the set's order, found by sorting. The keys are made
// once, side by side in one text, and compared a block of bytes at a time: the paths of a team
// folder share their first bytes, which a comparison byte by byte would lower-case again and
// again.
std::vector<std::uint32_t> OrderOf(const std::vector<FolderFile>& files) {
    std::string keys;
    std::vector<std::uint32_t> keyAt(files.size() + 1);
    for (std::size_t i = 0; i < files.size(); ++i) {
        keyAt[i] = static_cast<std::uint32_t>(keys.size());
        keys += files[i].Path;
    }
    keyAt.back() = static_cast<std::uint32_t>(keys.size());
    for (char& c : keys)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    const auto key = [&](std::uint32_t i) {
        return std::string_view(keys.data() + keyAt[i], keyAt[i + 1] - keyAt[i]);
    };
    std::vector<std::uint32_t> order(files.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<std::uint32_t>(i);
    std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
        // std::string_view compares unsigned bytes, as the set's order does.
        const int byKey = key(a).compare(key(b));
        return byKey != 0 ? byKey < 0 : files[a].Path < files[b].Path;
    });
    return order;
}

// A path's key hashed: eight bytes at a time, each lower-cased where it is a capital letter
// (the bytes of a word are told apart by their top bits, so no byte spills into the next).
std::uint64_t KeyHash(std::string_view path) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ull, kTops = 0x8080808080808080ull;
    std::uint64_t hash = 0xcbf29ce484222325ull ^ path.size();
    for (std::size_t i = 0; i < path.size(); i += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, path.data() + i, std::min<std::size_t>(8, path.size() - i));
        const std::uint64_t low = word & ~kTops;
        const std::uint64_t fromA = low + (0x80 - 'A') * kOnes;      // top bit: >= 'A'
        const std::uint64_t pastZ = low + (0x80 - 'Z' - 1) * kOnes;  // top bit: > 'Z'
        const std::uint64_t capitals = (fromA ^ pastZ) & ~word & kTops;
        word |= capitals >> 2;  // 0x80 >> 2 is the 0x20 between a capital and its small letter
        hash = (hash ^ word) * 0x9E3779B97F4A7C15ull;
        hash ^= hash >> 29;
    }
    return hash;
}

// The same order, found from the places of the files in `likely` (a list in the set's order):
// those it names stand in its order, the others are sorted and merged in. Where `likely` is not
// in the set's order after all, or names one file twice (two of the folder's files differ in
// letter case alone), the files are sorted as a whole.
std::vector<std::uint32_t> OrderAfter(const std::vector<CarSetFile>& likely,
                                      const std::vector<FolderFile>& files) {
    constexpr std::uint32_t kNone = 0xFFFFFFFF;
    std::size_t slots = 1024;
    while (slots < 2 * likely.size()) slots *= 2;
    const std::size_t mask = slots - 1;
    std::vector<std::uint32_t> table(slots, kNone);  // an open-addressed index of `likely`
    for (std::size_t i = 0; i < likely.size(); ++i) {
        std::size_t slot = KeyHash(likely[i].Path) & mask;
        while (table[slot] != kNone) slot = (slot + 1) & mask;
        table[slot] = static_cast<std::uint32_t>(i);
    }
    std::vector<std::uint32_t> atPlace(likely.size(), kNone);
    std::vector<std::uint32_t> others;
    for (std::size_t i = 0; i < files.size(); ++i) {
        std::size_t slot = KeyHash(files[i].Path) & mask;
        while (table[slot] != kNone && !SameSetKey(likely[table[slot]].Path, files[i].Path))
            slot = (slot + 1) & mask;
        if (table[slot] == kNone) {
            others.push_back(static_cast<std::uint32_t>(i));
        } else if (atPlace[table[slot]] == kNone) {
            atPlace[table[slot]] = static_cast<std::uint32_t>(i);
        } else {
            return OrderOf(files);
        }
    }
    std::vector<std::uint32_t> order;
    order.reserve(files.size());
    for (const std::uint32_t i : atPlace)
        if (i != kNone) order.push_back(i);
    const auto less = [&](std::uint32_t a, std::uint32_t b) {
        return SetOrderLess(files[a].Path, files[b].Path);
    };
    if (!std::is_sorted(order.begin(), order.end(), less)) return OrderOf(files);
    std::sort(others.begin(), others.end(), less);
    const std::size_t placed = order.size();
    order.insert(order.end(), others.begin(), others.end());
    std::inplace_merge(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(placed),
                       order.end(), less);
    return order;
}

// The name of a file of the folder as the listings give it, from its path in a set.
std::string NameOnDisk(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

// Puts the files in the order `order` gives (the place of the file that comes k-th), moving
// each once, without a second list.
void PutInOrder(std::vector<FolderFile>& files, std::vector<std::uint32_t>& order) {
    for (std::size_t k = 0; k < order.size(); ++k) {
        if (order[k] == k) continue;
        FolderFile first = std::move(files[k]);
        std::size_t at = k;
        while (order[at] != k) {
            const std::size_t from = order[at];
            files[at] = std::move(files[from]);
            order[at] = static_cast<std::uint32_t>(at);
            at = from;
        }
        files[at] = std::move(first);
        order[at] = static_cast<std::uint32_t>(at);
    }
}

}  // namespace

FolderFiles ReadFolderFiles(const std::filesystem::path& native, const std::string& shown,
                            bool look, const std::vector<CarSetFile>* likely) {
    FolderFiles result;
    platform::FileTree tree = platform::ReadFileTree(native, look);
    if (!tree.Odd.empty()) {
        std::string odd = tree.Odd.front();
        std::replace(odd.begin(), odd.end(), '/', '\\');
        result.Refusal = "The folder " + shown + " holds " + odd +
                         ", which is no plain file or folder (a link?): a car set cannot carry it.";
        return result;
    }
    result.Files.reserve(tree.Files.size());
    for (platform::TreeFile& facts : tree.Files) {
        std::string path = std::move(facts.Name);
        facts.Name.clear();
        const bool backslash = path.find('\\') != std::string::npos;
        std::replace(path.begin(), path.end(), '/', '\\');
        // A temporary of the program's is no file of the folder: a file being written, or what
        // a killed run left for the next start's sweep.
        if (IsOwnRecordPath(path) || IsOwnTemporaryPath(path)) continue;
        const std::string why = backslash ? "the character \\" : SetPathRefusal(path);
        if (!why.empty()) {
            result.Refusal = "The file " + shown + "\\" + path +
                             " cannot be part of a car set: " + "its name holds " + why + ".";
            return result;
        }
        result.Files.push_back({std::move(path), std::move(facts), ""});
    }
    tree = {};
    std::vector<std::uint32_t> order =
        likely ? OrderAfter(*likely, result.Files) : OrderOf(result.Files);
    PutInOrder(result.Files, order);
    for (std::size_t i = 1; i < result.Files.size(); ++i)
        if (SameSetKey(result.Files[i].Path, result.Files[i - 1].Path)) {
            result.Refusal = "The folder " + shown + " holds both " + result.Files[i - 1].Path +
                             " and " + result.Files[i].Path +
                             ", which the game cannot tell apart: a car set cannot carry both.";
            return result;
        }
    std::vector<std::string_view> paths;
    paths.reserve(result.Files.size());
    for (const FolderFile& file : result.Files) paths.push_back(file.Path);
    if (const std::optional<PathClash> clash = FindPathClash(paths))
        result.Refusal = "The folder " + shown + " holds both " + result.Files[clash->First].Path +
                         " and " + result.Files[clash->Second].Path +
                         ", which the game cannot tell apart: a car set cannot carry both.";
    return result;
}

void Fingerprint(const std::filesystem::path& native, std::vector<FolderFile>& files,
                 HashCache& cache, const std::function<bool(const FolderFile&)>& wanted,
                 const WorkTold& told) {
    // Files the listing did not look at are looked at only where the cache may know them: the
    // rest are opened right away, and what the open file says of itself are their facts.
    std::vector<std::size_t> toLook;
    std::vector<std::string> names;
    std::vector<std::size_t> toRead;
    const auto fromCache = [&](FolderFile& file) {
        if (auto kept = cache.Find(file.Facts)) {
            file.Hash = std::move(*kept);
            return true;
        }
        return false;
    };
    std::size_t asked = 0;
    const FolderFile* lastAsked = nullptr;
    for (std::size_t i = 0; i < files.size(); ++i) {
        FolderFile& file = files[i];
        if (!file.Hash.empty() || (wanted && !wanted(file))) continue;
        ++asked;
        lastAsked = &file;
        if (!file.Facts.Looked && cache.Knows(file.Facts.Device, file.Facts.Number)) {
            toLook.push_back(i);
            names.push_back(NameOnDisk(file.Path));
        } else if (!file.Facts.Looked || !fromCache(file)) {
            toRead.push_back(i);
        }
    }
    if (!toLook.empty()) {
        std::vector<platform::TreeFile> looked = platform::LookAtFiles(native, names);
        for (std::size_t k = 0; k < toLook.size(); ++k) {
            FolderFile& file = files[toLook[k]];
            if (looked[k].Looked) file.Facts = std::move(looked[k]);
            if (!file.Facts.Looked || !fromCache(file)) toRead.push_back(toLook[k]);
        }
        std::sort(toRead.begin(), toRead.end());
    }
    if (lastAsked) told.Done(lastAsked->Path, asked - toRead.size());
    if (toRead.empty()) return;
    cache.Expect(toRead.size());
    const std::int64_t readFrom = NowNs();
    InBatches(toRead.size(), told, [&](std::size_t begin, std::size_t end) {
        names.clear();
        for (std::size_t k = begin; k < end; ++k)
            names.push_back(NameOnDisk(files[toRead[k]].Path));
        std::vector<platform::TreeFile> facts;
        std::vector<std::string> hashes = platform::FastHashesOf(native, names, &facts);
        for (std::size_t k = begin; k < end; ++k) {
            FolderFile& file = files[toRead[k]];
            file.Facts = std::move(facts[k - begin]);
            file.Hash = std::move(hashes[k - begin]);
            cache.Keep(file.Facts, file.Hash, readFrom);
        }
        told.Done(files[toRead[end - 1]].Path, end - begin);
    });
}

std::vector<CarSetFile> SetFilesOf(const std::vector<FolderFile>& files) {
    std::vector<CarSetFile> lines;
    lines.reserve(files.size());
    for (const FolderFile& file : files) lines.push_back({file.Path, file.Facts.Size, file.Hash});
    return lines;
}

}  // namespace movrand::carsets
