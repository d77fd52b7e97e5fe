// SPDX-License-Identifier: GPL-3.0-or-later
#include "roster/ListText.h"

#include <algorithm>
#include <tuple>
#include <utility>

namespace movrand {

namespace {

// The code point at byte i and how many bytes it takes (a byte that is no valid UTF-8 stands
// for itself).
std::pair<char32_t, std::size_t> Decode(std::string_view utf8, std::size_t i) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    const std::size_t extra = b >= 0xF8 ? 0 : b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
    if (extra == 0 || i + extra >= utf8.size()) return {b, 1};
    char32_t cp = extra == 3 ? b & 0x07u : extra == 2 ? b & 0x0Fu : b & 0x1Fu;
    for (std::size_t k = 1; k <= extra; ++k) {
        const auto c = static_cast<unsigned char>(utf8[i + k]);
        if ((c & 0xC0) != 0x80) return {b, 1};
        cp = (cp << 6) | (c & 0x3Fu);
    }
    return {cp, extra + 1};
}

}  // namespace

std::u32string CodePoints(std::string_view utf8) {
    std::u32string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto [cp, length] = Decode(utf8, i);
        out += cp;
        i += length;
    }
    return out;
}

std::string Utf8OfCodePoints(std::u32string_view text) {
    std::string out;
    for (char32_t cp : text) {
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

char32_t FoldCase(char32_t c) {
    if (c >= U'A' && c <= U'Z') return c - U'A' + U'a';
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
    switch (c) {
        case 0x160:
            return 0x161;  // Š
        case 0x152:
            return 0x153;  // Œ
        case 0x17D:
            return 0x17E;  // Ž
        case 0x178:
            return 0xFF;  // Ÿ
        default:
            return c;
    }
}

namespace {

// The base letter of an accented lower-case Latin letter.
char32_t BaseLetter(char32_t c) {
    static const std::u32string_view accented = U"àáâãäåçèéêëìíîïñòóôõöøùúûüýÿšž";
    static const std::u32string_view bases = U"aaaaaaceeeeiiiinoooooouuuuyysz";
    const std::size_t at = accented.find(c);
    return at == std::u32string_view::npos ? c : bases[at];
}

bool Ignorable(char32_t c) {
    return c == U'-' || c == U'\'';
}

}  // namespace

// Three levels of comparison, as a sorted list applies them: base letters, then accents, then
// the characters the first levels ignore.
ListSortKey ListKey(std::string_view text) {
    std::u32string base;
    std::u32string accents;
    std::u32string folded;
    for (char32_t c : CodePoints(text)) {
        const char32_t lower = FoldCase(c);
        folded += lower;
        if (Ignorable(c)) continue;
        base += BaseLetter(lower);
        accents += lower;
    }
    return {base, accents, folded};
}

bool ListLess(std::string_view a, std::string_view b) {
    return ListKey(a) < ListKey(b);
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    const std::u32string t = CodePoints(text);
    const std::u32string p = CodePoints(prefix);
    if (p.size() > t.size()) return false;
    return std::equal(p.begin(), p.end(), t.begin(),
                      [](char32_t x, char32_t y) { return FoldCase(x) == FoldCase(y); });
}

std::size_t CharacterCount(std::string_view utf8) {
    return CodePoints(utf8).size();
}

std::string FirstCharacters(std::string_view utf8, std::size_t n) {
    std::size_t i = 0;
    for (std::size_t taken = 0; taken < n && i < utf8.size(); ++taken) i += Decode(utf8, i).second;
    return std::string(utf8.substr(0, i));
}

}  // namespace movrand
