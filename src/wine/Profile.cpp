// SPDX-License-Identifier: GPL-3.0-or-later
#include "wine/Profile.h"

#include <sys/stat.h>

#include <memory>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/ChangeCount.h"
#include "platform/RuntimeError.h"
#include "platform/Text.h"

namespace movrand::platform {

namespace {

// One line of the file and where it ends (the line break it carried, kept for rewriting). Both
// look into the file's bytes (or into texts the writer keeps alive); nothing is copied per line.
struct Line {
    std::string_view Text;
    std::string_view Break;
};

std::vector<Line> SplitLines(std::string_view bytes) {
    std::vector<Line> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos) {
            lines.push_back({bytes.substr(start), {}});
            break;
        }
        const bool crlf = end > start && bytes[end - 1] == '\r';
        const std::size_t textEnd = crlf ? end - 1 : end;
        lines.push_back({bytes.substr(start, textEnd - start), crlf ? "\r\n" : "\n"});
        start = end + 1;
    }
    return lines;
}

std::string_view TrimBlanks(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

// The section name of a header line, or none.
std::optional<std::string_view> HeaderName(std::string_view line) {
    const std::string_view trimmed = TrimBlanks(line);
    if (trimmed.empty() || trimmed[0] != '[') return std::nullopt;
    const std::size_t close = trimmed.rfind(']');
    if (close == std::string_view::npos || close == 0) return std::nullopt;
    return TrimBlanks(trimmed.substr(1, close - 1));
}

// The key name of a value line, or none.
std::optional<std::string_view> KeyName(std::string_view line) {
    const std::string_view trimmed = TrimBlanks(line);
    if (trimmed.empty() || trimmed[0] == ';') return std::nullopt;
    const std::size_t equals = trimmed.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    return TrimBlanks(trimmed.substr(0, equals));
}

std::string_view ValueOf(std::string_view line) {
    std::string_view value = TrimBlanks(line.substr(line.find('=') + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return value;
}

// Index range [first, last) of the lines inside the first section of that name (after its
// header), or none.
std::optional<std::pair<std::size_t, std::size_t>> FindSection(const std::vector<Line>& lines,
                                                               std::string_view section) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto name = HeaderName(lines[i].Text);
        if (!name || !EqualsNoCase(*name, section)) continue;
        std::size_t end = i + 1;
        while (end < lines.size() && !HeaderName(lines[end].Text)) ++end;
        return std::make_pair(i + 1, end);
    }
    return std::nullopt;
}

std::optional<std::size_t> FindKey(const std::vector<Line>& lines, std::size_t first,
                                   std::size_t last, std::string_view key) {
    for (std::size_t i = first; i < last; ++i) {
        const auto name = KeyName(lines[i].Text);
        if (name && EqualsNoCase(*name, key)) return i;
    }
    return std::nullopt;
}

std::string CutToBuffer(std::string_view value, int bufferSize) {
    if (bufferSize <= 0) return "";
    const auto limit = static_cast<std::size_t>(bufferSize - 1);
    return std::string(value.size() > limit ? value.substr(0, limit) : value);
}

// A file's lines with an index of its sections and keys, kept while a ProfileReadScope lives.
struct ParsedProfile {
    std::string Native;
    std::uint64_t Changes = 0;
    struct stat Identity {};
    std::string Bytes;
    std::vector<Line> Lines;
    // Lower-cased section name: the lines of its first section.
    std::unordered_map<std::string, std::pair<std::size_t, std::size_t>> Sections;
    // First line of a section: its keys, lower-cased, and the first line of each (made when the
    // section is first asked for).
    std::unordered_map<std::size_t, std::unordered_map<std::string, std::size_t>> Keys;

    void Index() {
        Lines = SplitLines(Bytes);
        std::pair<std::size_t, std::size_t>* open = nullptr;
        for (std::size_t i = 0; i < Lines.size(); ++i) {
            const auto name = HeaderName(Lines[i].Text);
            if (!name) continue;
            if (open) open->second = i;
            const auto [at, added] = Sections.try_emplace(LowerCase(*name), i + 1, i + 1);
            open = added ? &at->second : nullptr;
        }
        if (open) open->second = Lines.size();
    }

    std::optional<std::string_view> Value(std::string_view section, std::string_view key) {
        const auto range = Sections.find(LowerCase(section));
        if (range == Sections.end()) return std::nullopt;
        auto [keys, fresh] = Keys.try_emplace(range->second.first);
        if (fresh)
            for (std::size_t i = range->second.first; i < range->second.second; ++i)
                if (const auto name = KeyName(Lines[i].Text))
                    keys->second.try_emplace(LowerCase(*name), i);
        const auto at = keys->second.find(LowerCase(key));
        if (at == keys->second.end()) return std::nullopt;
        return ValueOf(Lines[at->second].Text);
    }
};

thread_local int scopes = 0;
thread_local std::unique_ptr<ParsedProfile> kept;

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
           a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec &&
           a.st_ctim.tv_sec == b.st_ctim.tv_sec && a.st_ctim.tv_nsec == b.st_ctim.tv_nsec;
}

// The parsed file, read afresh unless the one kept is still what is on disk; null when the file
// cannot be read.
ParsedProfile* KeptProfile(const FileSystem& fs, const std::string& file) {
    const std::string native = fs.Native(file).string();
    struct stat now {};
    if (::stat(native.c_str(), &now) != 0 || !S_ISREG(now.st_mode)) return nullptr;
    if (kept && kept->Native == native && kept->Changes == FileSystemChanges() &&
        SameFile(kept->Identity, now))
        return kept.get();
    auto parsed = std::make_unique<ParsedProfile>();
    parsed->Native = native;
    parsed->Changes = FileSystemChanges();
    parsed->Identity = now;
    parsed->Bytes = fs.ReadAllBytes(file);
    parsed->Index();
    kept = std::move(parsed);
    return kept.get();
}

}  // namespace

ProfileReadScope::ProfileReadScope() {
    ++scopes;
}

ProfileReadScope::~ProfileReadScope() {
    if (--scopes == 0) kept.reset();
}

std::string GetPrivateProfileString(const FileSystem& fs, const std::string& section,
                                    const std::string& key, const std::string& defaultValue,
                                    int bufferSize, const std::string& file) {
    const std::string fallback =
        Utf8FromAnsi(CutToBuffer(AnsiFromUtf8(TrimBlanks(defaultValue)), bufferSize));
    const std::string ansiSection = AnsiFromUtf8(section);
    const std::string ansiKey = AnsiFromUtf8(key);
    if (scopes > 0) {
        try {
            ParsedProfile* parsed = KeptProfile(fs, file);
            if (!parsed) return fallback;
            const auto value = parsed->Value(TrimBlanks(ansiSection), TrimBlanks(ansiKey));
            return value ? Utf8FromAnsi(CutToBuffer(*value, bufferSize)) : fallback;
        } catch (const RuntimeError&) {
            return fallback;
        }
    }
    std::string bytes;
    try {
        if (!fs.FileExists(file)) return fallback;
        bytes = fs.ReadAllBytes(file);
    } catch (const RuntimeError&) {
        return fallback;
    }
    const std::vector<Line> lines = SplitLines(bytes);
    const auto range = FindSection(lines, TrimBlanks(ansiSection));
    if (!range) return fallback;
    const auto at = FindKey(lines, range->first, range->second, TrimBlanks(ansiKey));
    if (!at) return fallback;
    return Utf8FromAnsi(CutToBuffer(ValueOf(lines[*at].Text), bufferSize));
}

bool ProfileSectionExists(const FileSystem& fs, const std::string& section,
                          const std::string& file) {
    const std::string ansiSection = AnsiFromUtf8(section);
    try {
        if (scopes > 0) {
            const ParsedProfile* parsed = KeptProfile(fs, file);
            return parsed && parsed->Sections.count(LowerCase(TrimBlanks(ansiSection))) > 0;
        }
        if (!fs.FileExists(file)) return false;
        const std::string bytes = fs.ReadAllBytes(file);
        return FindSection(SplitLines(bytes), TrimBlanks(ansiSection)).has_value();
    } catch (const RuntimeError&) {
        return false;
    }
}

bool WritePrivateProfileString(FileSystem& fs, const std::string& section, const std::string& key,
                               const std::string& value, const std::string& file) {
    const std::string ansiSection = AnsiFromUtf8(section);
    const std::string ansiKey(TrimBlanks(AnsiFromUtf8(key)));
    const std::string ansiValue = AnsiFromUtf8(value);
    kept.reset();
    std::string bytes;
    if (fs.FileExists(file)) bytes = fs.ReadAllBytes(file);
    std::vector<Line> lines = SplitLines(bytes);
    const std::string keyLine = ansiKey + "=" + ansiValue;
    const std::string header = "[" + ansiSection + "]";

    const auto range = FindSection(lines, TrimBlanks(ansiSection));
    if (range) {
        if (const auto at = FindKey(lines, range->first, range->second, ansiKey)) {
            lines[*at].Text = keyLine;
        } else {
            // After the section's last non-empty line.
            std::size_t insertAt = range->second;
            while (insertAt > range->first && TrimBlanks(lines[insertAt - 1].Text).empty())
                --insertAt;
            if (insertAt > 0 && lines[insertAt - 1].Break.empty())
                lines[insertAt - 1].Break = "\r\n";
            lines.insert(lines.begin() + static_cast<long>(insertAt), Line{keyLine, "\r\n"});
        }
    } else {
        if (!lines.empty() && lines.back().Break.empty()) lines.back().Break = "\r\n";
        lines.push_back({header, "\r\n"});
        lines.push_back({keyLine, "\r\n"});
    }

    std::string out;
    out.reserve(bytes.size() + header.size() + keyLine.size() + 8);
    for (const Line& line : lines) {
        out += line.Text;
        out += line.Break;
    }

    // Written beside the file, then put in its place.
    fs.WriteWholeFile(file, out);
    return true;
}

}  // namespace movrand::platform
