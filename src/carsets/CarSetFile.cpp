// SPDX-License-Identifier: GPL-3.0-or-later
#include "carsets/CarSetFile.h"

#include <algorithm>
#include <charconv>
#include <unordered_map>

#include "carsets/CarSetPath.h"
#include "platform/FileKeeping.h"

namespace movrand::carsets {

namespace {

std::string FileLine(const CarSetFile& file) {
    return file.Path + '\t' + std::to_string(file.Size) + '\t' + file.Hash;
}

bool IsHash(const std::string& text) {
    return text.size() == 32 && std::all_of(text.begin(), text.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
           });
}

// Splits the text into lines (LF or CR LF); a last line without its LF counts too.
std::vector<std::string> LinesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

}  // namespace

std::string SetKey(const std::string& path) {
    std::string key = path;
    for (char& c : key)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return key;
}

void SortSetFiles(std::vector<CarSetFile>& files) {
    std::vector<std::pair<std::string, CarSetFile>> keyed;
    keyed.reserve(files.size());
    for (CarSetFile& file : files) keyed.emplace_back(SetKey(file.Path), std::move(file));
    std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first < b.first : a.second.Path < b.second.Path;
    });
    for (std::size_t i = 0; i < files.size(); ++i) files[i] = std::move(keyed[i].second);
}

std::string SetCode(const std::vector<CarSetFile>& files) {
    std::string lines;
    for (const CarSetFile& file : files) lines += FileLine(file) + '\n';
    std::string code;
    const std::string hash = platform::FastHashOfBytes(lines);
    for (std::size_t i = 0; i < 12; ++i) {
        if (i > 0 && i % 4 == 0) code += '-';
        const char c = hash[i];
        code += c >= 'a' ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return code;
}

std::string CarSetText(const CarSet& set) {
    std::string text = std::string(kCarSetHeader) + "\nname " + set.Name + "\n";
    for (const CarSetFile& file : set.Files) text += FileLine(file) + '\n';
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
    std::vector<std::string> lines = LinesOf(text);
    const auto refuse = [&](std::size_t line, const std::string& why) {
        parsed.Refusal = "The car set " + shown + " cannot be used: line " +
                         std::to_string(line + 1) + " " + why + ".";
        parsed.Set = {};
        return parsed;
    };
    if (!lines.empty() && lines[0].starts_with("\xEF\xBB\xBF")) lines[0].erase(0, 3);
    if (lines.empty() || lines[0] != kCarSetHeader)
        return lines.size() > 0 && lines[0].starts_with("movrand-carset ")
                   ? refuse(0, "names a version of the format this program does not know (\"" +
                                   lines[0].substr(0, 40) + "\")")
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
    std::unordered_map<std::string, std::size_t> seen;
    seen.reserve(last);
    for (std::size_t i = 2; i < last; ++i) {
        const std::string& line = lines[i];
        const std::size_t hashTab = line.rfind('\t');
        const std::size_t sizeTab = hashTab == std::string::npos || hashTab == 0
                                        ? std::string::npos
                                        : line.rfind('\t', hashTab - 1);
        if (sizeTab == std::string::npos)
            return refuse(i, "is not a file's path, size and fingerprint separated by tabs");
        CarSetFile file;
        file.Path = line.substr(0, sizeTab);
        const std::string size = line.substr(sizeTab + 1, hashTab - sizeTab - 1);
        file.Hash = line.substr(hashTab + 1);
        if (const std::string why = SetPathRefusal(file.Path); !why.empty())
            return refuse(i, "names no file inside a car folder: its path holds " + why);
        if (IsOwnRecordPath(file.Path))
            return refuse(i, "names one of Movrand's own records, which no set holds");
        const auto [end, error] =
            std::from_chars(size.data(), size.data() + size.size(), file.Size);
        if (size.empty() || size.size() > 20 || error != std::errc() ||
            end != size.data() + size.size())
            return refuse(i, "gives no size in bytes");
        if (file.Size > kLargestSetFile)
            return refuse(i, "names a file of " + size +
                                 " bytes, larger than a set's file may be (" +
                                 std::to_string(kLargestSetFile) + ")");
        if (!IsHash(file.Hash)) return refuse(i, "gives no fingerprint (32 hexadecimal digits)");
        const auto [at, added] = seen.emplace(SetKey(file.Path), i);
        if (!added)
            return refuse(i, "names the file of line " + std::to_string(at->second + 1) +
                                 " again (letter case aside)");
        parsed.Set.Files.push_back(std::move(file));
    }
    SortSetFiles(parsed.Set.Files);
    parsed.Code = SetCode(parsed.Set.Files);
    if (lines[last] != "code " + parsed.Code)
        return refuse(last, "gives the code " + lines[last].substr(5, 20) +
                                ", but the set's files give " + parsed.Code +
                                ": the file was changed or damaged");
    return parsed;
}

}  // namespace movrand::carsets
