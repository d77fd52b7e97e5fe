// SPDX-License-Identifier: GPL-3.0-or-later
#include "carsets/CarSetFile.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "carsets/CarSetPath.h"
#include "platform/FileKeeping.h"

namespace movrand::carsets {

namespace {

void AppendLine(std::string& out, std::string_view path, std::uint64_t size,
                std::string_view hash) {
    out += path;
    out += '\t';
    char digits[24];
    out.append(digits, std::to_chars(digits, digits + sizeof digits, size).ptr);
    out += '\t';
    out += hash;
    out += '\n';
}

void AppendLine(std::string& out, const CarSetFile& file) {
    AppendLine(out, file.Path, file.Size, file.Hash);
}

bool IsHash(std::string_view text) {
    return text.size() == 32 && std::all_of(text.begin(), text.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
           });
}

// Splits the text into lines (LF or CR LF); a last line without its LF counts too.
std::vector<std::string_view> LinesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    // A file line is some 60 bytes: room for about as many as the text can hold.
    lines.reserve(text.size() / 48 + 4);
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r')) line.remove_suffix(1);
        lines.push_back(line);
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return lines;
}

// How many of the first `n` bytes of the two are the same, eight at a time: paths in one folder
// share most of theirs, and equal bytes have equal keys.
std::size_t SameBytesAhead(std::string_view a, std::string_view b, std::size_t n) {
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t x = 0, y = 0;
        std::memcpy(&x, a.data() + i, 8);
        std::memcpy(&y, b.data() + i, 8);
        if (x != y) return i;
    }
    return i;
}

unsigned char KeyByte(char c) {
    return static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
}

}  // namespace

std::string SetKey(const std::string& path) {
    std::string key = path;
    for (char& c : key) c = static_cast<char>(KeyByte(c));
    return key;
}

bool SetOrderLess(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = SameBytesAhead(a, b, n); i < n; ++i)
        if (KeyByte(a[i]) != KeyByte(b[i])) return KeyByte(a[i]) < KeyByte(b[i]);
    return a.size() != b.size() ? a.size() < b.size() : a < b;
}

bool SameSetKey(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = SameBytesAhead(a, b, a.size()); i < a.size(); ++i)
        if (KeyByte(a[i]) != KeyByte(b[i])) return false;
    return true;
}

std::optional<PathClash> FindPathClash(const std::vector<std::string_view>& sorted) {
    const auto keyLess = [](std::string_view a, std::string_view b) {
        const std::size_t n = std::min(a.size(), b.size());
        for (std::size_t i = 0; i < n; ++i)
            if (KeyByte(a[i]) != KeyByte(b[i])) return KeyByte(a[i]) < KeyByte(b[i]);
        return a.size() < b.size();
    };
    for (std::size_t k = 0; k < sorted.size(); ++k) {
        const std::string_view path = sorted[k];
        // The paths within one folder stand together in the set's order: a folder spelled two
        // ways is spelled so by two neighbours.
        std::size_t common = 0;
        if (k > 0) {
            const std::string_view before = sorted[k - 1];
            const std::size_t n = std::min(before.size(), path.size());
            common = SameBytesAhead(before, path, n);
            while (common < n && KeyByte(before[common]) == KeyByte(path[common])) ++common;
            const std::size_t folder = path.substr(0, common).rfind('\\');
            if (folder != std::string_view::npos &&
                before.substr(0, folder) != path.substr(0, folder))
                return PathClash{k - 1, k, false};
        }
        // A file of a folder's name comes before the folder's files; the folders this path
        // shares with the one before it were looked for already.
        for (std::size_t at = path.find('\\', common); at != std::string_view::npos;
             at = path.find('\\', at + 1)) {
            const std::string_view folder = path.substr(0, at);
            const auto end = sorted.begin() + static_cast<std::ptrdiff_t>(k);
            const auto file = std::lower_bound(sorted.begin(), end, folder, keyLess);
            if (file != end && SameSetKey(*file, folder))
                return PathClash{static_cast<std::size_t>(file - sorted.begin()), k, true};
        }
    }
    return std::nullopt;
}

void SortSetFiles(std::vector<CarSetFile>& files) {
    const auto less = [](const CarSetFile& a, const CarSetFile& b) {
        return SetOrderLess(a.Path, b.Path);
    };
    if (!std::is_sorted(files.begin(), files.end(), less))
        std::sort(files.begin(), files.end(), less);
}

std::string SetCode(const std::vector<CarSetFile>& files) {
    SetCodeMaker code;
    for (const CarSetFile& file : files) code.Add(file.Path, file.Size, file.Hash);
    return code.Code();
}

void SetCodeMaker::Add(std::string_view path, std::uint64_t size, std::string_view hash) {
    // The lines are fingerprinted some kilobytes at a time: the text of all of them is never
    // kept. A line longer than the room left goes in pieces.
    const auto put = [&](std::string_view bytes) {
        while (!bytes.empty()) {
            const std::size_t n = std::min(bytes.size(), kPiece - used_);
            std::memcpy(pending_.get() + used_, bytes.data(), n);
            used_ += n;
            bytes.remove_prefix(n);
            if (used_ == kPiece) {
                lines_.Add(pending_.get(), used_);
                used_ = 0;
            }
        }
    };
    char middle[48];
    char* end = middle;
    *end++ = '\t';
    end = std::to_chars(end, middle + sizeof middle, size).ptr;
    *end++ = '\t';
    put(path);
    put({middle, static_cast<std::size_t>(end - middle)});
    put(hash);
    put("\n");
}

std::string SetCodeMaker::Code() {
    lines_.Add(pending_.get(), used_);
    used_ = 0;
    std::string code;
    const std::string hash = lines_.Hex();
    for (std::size_t i = 0; i < 12; ++i) {
        if (i > 0 && i % 4 == 0) code += '-';
        const char c = hash[i];
        code += c >= 'a' ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return code;
}

std::string CarSetText(const CarSet& set) {
    std::string text = std::string(kCarSetHeader) + "\nname " + set.Name + "\n";
    for (const CarSetFile& file : set.Files) AppendLine(text, file);
    return text + "code " + SetCode(set.Files) + "\n";
}

std::string SetNameRefusal(const std::string& name) {
    if (name.empty()) return "The set needs a name.";
    if (name.size() > kLongestSetName)
        return "The set's name is longer than " + std::to_string(kLongestSetName) + " bytes.";
    // A name is one line of text: what a single name in a path could hold, blanks inside.
    if (name.find('\\') != std::string::npos || !SetPathRefusal(name).empty())
        return "The set's name \"" + name +
               "\" holds a character a set's name cannot hold (one of \\<>:\"/|?*, a control "
               "character or bytes that are not UTF-8), or ends in a blank or a dot.";
    return "";
}

ParsedCarSet ParseCarSet(const std::string& text, const std::string& shown) {
    ParsedCarSet parsed;
    std::string_view whole(text);
    if (whole.starts_with("\xEF\xBB\xBF")) whole.remove_prefix(3);
    const std::vector<std::string_view> lines = LinesOf(whole);
    const auto refuse = [&](std::size_t line, const std::string& why) {
        parsed.Refusal = "The car set " + shown + " cannot be used: line " +
                         std::to_string(line + 1) + " " + why + ".";
        parsed.Set = {};
        return parsed;
    };
    if (lines.empty() || lines[0] != kCarSetHeader)
        return lines.size() > 0 && lines[0].starts_with("movrand-carset ")
                   ? refuse(0, "names a version of the format this program does not know (\"" +
                                   std::string(lines[0].substr(0, 40)) + "\")")
                   : refuse(0, "is not \"" + std::string(kCarSetHeader) +
                                   "\": this is no car set file");
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].size() > kLongestSetLine)
            return refuse(i, "is longer than " + std::to_string(kLongestSetLine) + " bytes");
    if (lines.size() < 3) return refuse(lines.size() - 1, "ends the file before its code");
    if (!lines[1].starts_with("name ")) return refuse(1, "is not the set's name (\"name ...\")");
    parsed.Set.Name = lines[1].substr(5);
    if (const std::string why = SetNameRefusal(parsed.Set.Name); !why.empty())
        return refuse(1, "names the set as it cannot be named: " + why);
    const std::size_t last = lines.size() - 1;
    if (!lines[last].starts_with("code ")) return refuse(last, "is not the set's code");
    if (last - 2 > kMostSetFiles)
        return refuse(2 + kMostSetFiles,
                      "is one file too many: a set holds at most " + std::to_string(kMostSetFiles));
    // The file lines up to the first that is refused; a file named twice before it is told
    // first, as it comes first.
    std::vector<CarSetFile>& files = parsed.Set.Files;
    files.reserve(last - 2);
    std::size_t failedAt = last;
    std::string failure;
    for (std::size_t i = 2; i < last && failedAt == last; ++i) {
        const std::string_view line = lines[i];
        const std::size_t hashTab = line.rfind('\t');
        const std::size_t sizeTab = hashTab == std::string_view::npos || hashTab == 0
                                        ? std::string_view::npos
                                        : line.rfind('\t', hashTab - 1);
        const auto fail = [&](std::string why) {
            failedAt = i;
            failure = std::move(why);
        };
        if (sizeTab == std::string_view::npos) {
            fail("is not a file's path, size and fingerprint separated by tabs");
            break;
        }
        CarSetFile file;
        file.Path = line.substr(0, sizeTab);
        const std::string_view size = line.substr(sizeTab + 1, hashTab - sizeTab - 1);
        const std::string_view hash = line.substr(hashTab + 1);
        const auto [end, error] =
            std::from_chars(size.data(), size.data() + size.size(), file.Size);
        if (const std::string why = SetPathRefusal(file.Path); !why.empty())
            fail("names no file inside a car folder: its path holds " + why);
        else if (IsOwnRecordPath(file.Path))
            fail("names one of Movrand's own records, which no set holds");
        else if (size.empty() || size.size() > 20 || error != std::errc() ||
                 end != size.data() + size.size())
            fail("gives no size in bytes");
        else if (file.Size > kLargestSetFile)
            fail("names a file of " + std::string(size) +
                 " bytes, larger than a set's file may be (" + std::to_string(kLargestSetFile) +
                 ")");
        else if (!IsHash(hash))
            fail("gives no fingerprint (32 hexadecimal digits)");
        if (failedAt != last) break;
        file.Hash = hash;
        files.push_back(std::move(file));
    }
    // Files of the same key stand side by side in the set's order: of each such pair, the later
    // line names the file of the earlier one again.
    std::vector<std::size_t> order(files.size());
    for (std::size_t k = 0; k < order.size(); ++k) order[k] = k;
    const auto less = [&](std::size_t a, std::size_t b) {
        return SetOrderLess(files[a].Path, files[b].Path);
    };
    if (!std::is_sorted(order.begin(), order.end(), less))
        std::sort(order.begin(), order.end(), less);
    std::size_t again = files.size(), first = 0;
    for (std::size_t k = 0; k < order.size();) {
        std::size_t group = k + 1, lowest = order[k], second = files.size();
        for (; group < order.size() && SameSetKey(files[order[k]].Path, files[order[group]].Path);
             ++group) {
            const std::size_t line = order[group];
            if (line < lowest) {
                second = lowest;
                lowest = line;
            } else if (line < second) {
                second = line;
            }
        }
        if (second < again) {
            again = second;
            first = lowest;
        }
        k = group;
    }
    if (again < files.size())
        return refuse(again + 2, "names the file of line " + std::to_string(first + 3) +
                                     " again (letter case aside)");
    if (failedAt != last) return refuse(failedAt, failure);
    std::vector<std::string_view> sorted;
    sorted.reserve(order.size());
    for (const std::size_t k : order) sorted.push_back(files[k].Path);
    if (const std::optional<PathClash> clash = FindPathClash(sorted)) {
        const std::size_t a = order[clash->First], b = order[clash->Second];
        const std::string other = std::to_string(std::min(a, b) + 3);
        const std::string why = !clash->FileAsFolder
                                    ? "spells a folder of line " + other + " in other letter case"
                                : a < b ? "takes the file of line " + other + " for a folder"
                                        : "names as a file a folder of line " + other;
        return refuse(std::max(a, b) + 2, why);
    }
    if (!std::is_sorted(order.begin(), order.end())) {
        std::vector<CarSetFile> sorted;
        sorted.reserve(files.size());
        for (const std::size_t k : order) sorted.push_back(std::move(files[k]));
        files = std::move(sorted);
    }
    parsed.Code = SetCode(files);
    if (lines[last] != "code " + parsed.Code)
        return refuse(last, "gives the code " + std::string(lines[last].substr(5, 20)) +
                                ", but the set's files give " + parsed.Code +
                                ": the file was changed or damaged");
    return parsed;
}

}  // namespace movrand::carsets
