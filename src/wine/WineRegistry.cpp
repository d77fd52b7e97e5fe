// SPDX-License-Identifier: GPL-3.0-or-later
#include "wine/WineRegistry.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string_view>

#include "platform/FileHandles.h"
#include "platform/Text.h"

namespace movrand::platform {

namespace {

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads a text that Wine wrote with its escapes, from `pos` up to the unescaped `close`, and
// leaves `pos` after that character. Characters above 127 stand as UTF-16 code units in hex
// ("\x00e9", a pair for characters beyond the first 65536), control characters as C escapes or
// octal; other bytes stand as they are. Nothing when the text does not end.
std::optional<std::string> Unescape(std::string_view line, std::size_t& pos, char close) {
    std::string text;
    char32_t high = 0;  // the first half of a UTF-16 pair, waiting for its second
    const auto put = [&](char32_t unit) {
        if (high != 0 && unit >= 0xDC00 && unit < 0xE000) {
            AppendUtf8(text, 0x10000 + ((high - 0xD800) << 10) + (unit - 0xDC00));
            high = 0;
            return;
        }
        if (high != 0) AppendUtf8(text, 0xFFFD);
        high = 0;
        if (unit >= 0xD800 && unit < 0xDC00)
            high = unit;
        else
            AppendUtf8(text, unit >= 0xDC00 && unit < 0xE000 ? 0xFFFD : unit);
    };
    while (pos < line.size()) {
        const char c = line[pos++];
        if (c == close) {
            if (high != 0) AppendUtf8(text, 0xFFFD);
            return text;
        }
        if (c != '\\') {
            if (high != 0) AppendUtf8(text, 0xFFFD);
            high = 0;
            text += c;
            continue;
        }
        if (pos >= line.size()) return std::nullopt;
        const char e = line[pos++];
        char32_t unit = 0;
        static constexpr char kLetters[] = "abtnvfre";
        static constexpr char32_t kCodes[] = {7, 8, 9, 10, 11, 12, 13, 27};
        if (const char* known = std::strchr(kLetters, e); known && e != 0) {
            unit = kCodes[known - kLetters];
        } else if (e == 'x') {
            int digits = 0;
            for (; digits < 4 && pos < line.size() && HexDigit(line[pos]) >= 0; ++digits)
                unit = unit * 16 + static_cast<char32_t>(HexDigit(line[pos++]));
            if (digits == 0) return std::nullopt;
        } else if (e >= '0' && e <= '7') {
            unit = static_cast<char32_t>(e - '0');
            for (int digits = 1;
                 digits < 3 && pos < line.size() && line[pos] >= '0' && line[pos] <= '7'; ++digits)
                unit = unit * 8 + static_cast<char32_t>(line[pos++] - '0');
        } else {
            unit = static_cast<unsigned char>(e);  // \\, \", \[, \] and the like
        }
        put(unit);
    }
    return std::nullopt;
}

}  // namespace

std::optional<RegistryString> ReadMachineValue(const std::filesystem::path& systemReg,
                                               const std::string& keyName,
                                               const std::string& valueName) {
    const std::optional<std::string> content = ReadOwnFile(systemReg);
    if (!content) return std::nullopt;
    std::istringstream file(*content);
    const std::string wantedKey = Lower(keyName);
    const std::string wantedValue = Lower(valueName);
    bool inKey = false;
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        std::size_t pos = 1;
        if (line[0] == '[') {
            // A later section of the same name is not looked at once the key has been read.
            if (inKey) return std::nullopt;
            const std::optional<std::string> key = Unescape(line, pos, ']');
            inKey = key && Lower(*key) == wantedKey;
            continue;
        }
        if (!inKey) continue;
        std::optional<std::string> name;
        if (line[0] == '@') {
            name = std::string();
        } else if (line[0] == '"') {
            name = Unescape(line, pos, '"');
        } else {
            continue;  // comments (#time=...) and continuation lines of long values
        }
        if (!name || Lower(*name) != wantedValue) continue;
        if (pos >= line.size() || line[pos] != '=') return std::nullopt;
        std::string_view data = std::string_view(line).substr(pos + 1);
        RegistryString value;
        std::size_t start = 0;
        if (data.starts_with("\"")) {
            start = 1;
        } else if (data.starts_with("str(2):\"")) {
            start = 8;
        } else {
            return value;  // a number or bytes: found, but no text
        }
        const std::optional<std::string> text = Unescape(data, start, '"');
        if (!text) return std::nullopt;
        value.IsString = true;
        value.Text = *text;
        return value;
    }
    return std::nullopt;
}

std::filesystem::path WinePrefixFromEnvironment() {
    if (const char* prefix = std::getenv("WINEPREFIX"); prefix && *prefix) return prefix;
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home && *home ? home : "/root") / ".wine";
}

std::filesystem::path MachineRegistryFile(const std::filesystem::path& winePrefix) {
    return winePrefix / "system.reg";
}

}  // namespace movrand::platform
