// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileKeeping.h"
#include "platform/Fingerprint.h"

namespace movrand::carsets {

// A car set: the files a complete car folder holds, so that every driver of a league can have
// the very same folder. As a file (".carset", UTF-8, lines ended by LF; CR LF is read too):
//   movrand-carset 1
//   name League 1967
//   ferrari\fer9.3do<TAB>20480<TAB>0123456789abcdef0123456789abcdef
//   ...
//   code 7F3A-91C2-04DE
// One line per file: its path in the car folder ("\" between names), its size in bytes and the
// XXH3-128 fingerprint of its bytes (32 lower-case hexadecimal digits), in byte order of the
// lower-cased paths. The code is the first twelve hexadecimal digits of the XXH3-128 fingerprint
// of the file lines (each ended by LF), upper-cased, in three groups of four: the same files
// give the same code, whatever the set's name.
struct CarSetFile {
    std::string Path;  // "ferrari\fer9.3do"
    std::uint64_t Size = 0;
    std::string Hash;
};

struct CarSet {
    std::string Name;
    std::vector<CarSetFile> Files;  // in the set's order
};

inline constexpr const char* kCarSetHeader = "movrand-carset 1";
inline constexpr const char* kCarSetSuffix = ".carset";
inline constexpr std::size_t kMostSetFiles = 200000;
inline constexpr std::uint64_t kLargestSetFile = 1ull << 30;  // a car file is far smaller
inline constexpr std::size_t kLongestSetLine = 1024;
inline constexpr std::size_t kLongestSetName = 100;

// The key that orders a set's files and finds a file whatever its letter case.
std::string SetKey(const std::string& path);
// The set's order: by key, then (for paths of the same key) by their bytes.
bool SetOrderLess(std::string_view a, std::string_view b);
// True when the two paths have the same key (name the same file for the game).
bool SameSetKey(std::string_view a, std::string_view b);
// Two paths of a list in the set's order that cannot stand side by side in one car folder,
// though their keys differ: one spells a folder of the other in other letter case, or names as a
// folder what the other names as a file. Their places in the list, the earlier first.
struct PathClash {
    std::size_t First = 0;
    std::size_t Second = 0;
    bool FileAsFolder = false;  // `First` is a file that `Second` takes for a folder
};
std::optional<PathClash> FindPathClash(const std::vector<std::string_view>& sorted);
// Puts the files in the set's order.
void SortSetFiles(std::vector<CarSetFile>& files);
// The code of files in the set's order.
std::string SetCode(const std::vector<CarSetFile>& files);
// The same, of files given one at a time in the set's order.
class SetCodeMaker {
  public:
    void Add(std::string_view path, std::uint64_t size, std::string_view hash);
    std::string Code();

  private:
    static constexpr std::size_t kPiece = 1 << 16;
    // Lines not yet fingerprinted: a piece, and room for one line beyond it.
    std::unique_ptr<char[]> pending_ = std::make_unique_for_overwrite<char[]>(kPiece + 64);
    std::size_t used_ = 0;
    platform::Fingerprint lines_;
};
// The set file's text.
std::string CarSetText(const CarSet& set);

// What a set file holds, or why it was refused: the message names `shown` and the line.
struct ParsedCarSet {
    CarSet Set;
    std::string Code;
    std::string Refusal;
};
ParsedCarSet ParseCarSet(const std::string& text, const std::string& shown);

// A name for a set (one line of plain text): "" when it can be one, else why not.
std::string SetNameRefusal(const std::string& name);

}  // namespace movrand::carsets
