// SPDX-License-Identifier: GPL-3.0-or-later
#include "archives/EntryNames.h"

#include <wctype.h>

#include <array>
#include <cstdint>
#include <string_view>

#include "platform/Text.h"

namespace movrand::archives {

namespace {

// Decodes one UTF-8 character at `i` (advancing it), or returns -1 for a byte sequence that is
// no UTF-8 (overlong forms and surrogates included).
long DecodeUtf8(const std::string& text, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(text[i++]);
    if (lead < 0x80) return lead;
    int more = 0;
    long code = 0;
    if ((lead & 0xE0) == 0xC0) {
        more = 1, code = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        more = 2, code = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        more = 3, code = lead & 0x07;
    } else {
        return -1;
    }
    for (int k = 0; k < more; ++k) {
        if (i >= text.size()) return -1;
        const auto next = static_cast<unsigned char>(text[i++]);
        if ((next & 0xC0) != 0x80) return -1;
        code = (code << 6) | (next & 0x3F);
    }
    static constexpr std::array<long, 4> kSmallest = {0, 0x80, 0x800, 0x10000};
    if (code < kSmallest[more] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return -1;
    return code;
}

bool IsValidUtf8(const std::string& text) {
    for (std::size_t i = 0; i < text.size();)
        if (DecodeUtf8(text, i) < 0) return false;
    return true;
}

// The UTF-16 code units of valid UTF-8: what Windows counts in a name's length.
std::size_t Utf16Length(const std::string& text) {
    std::size_t units = 0;
    for (std::size_t i = 0; i < text.size();) units += DecodeUtf8(text, i) >= 0x10000 ? 2 : 1;
    return units;
}

std::string AsciiUpper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return upper;
}

// Device names Windows reserves, with or without an extension ("CON", "nul.txt", "COM1.dat"),
// also with blanks before the extension ("CON .txt") and with the superscript digits ("COM¹").
bool IsReservedName(const std::string& part) {
    std::string_view stem = std::string_view(part).substr(0, part.find('.'));
    while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
    const std::string upper = AsciiUpper(stem);
    for (const char* name : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"})
        if (upper == name) return true;
    if (!upper.starts_with("COM") && !upper.starts_with("LPT")) return false;
    const std::string_view number = std::string_view(upper).substr(3);
    if (number.size() == 1) return number[0] >= '0' && number[0] <= '9';
    return number == "\xC2\xB9" || number == "\xC2\xB2" || number == "\xC2\xB3";
}

bool HasWindowsCharacters(const std::string& part) {
    for (const char c : part)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F ||
            std::string_view("<>:\"|?*").find(c) != std::string_view::npos)
            return false;
    return part.back() != ' ' && part.back() != '.';
}

// The problem of one part of a path, or None.
NameProblem PartProblem(const std::string& part) {
    if (!IsValidUtf8(part)) return NameProblem::BadEncoding;
    // Linux holds 255 bytes of a name, fewer than the 255 characters of Windows beyond ASCII.
    if (part.size() > kMostNameCharacters) return NameProblem::TooLong;
    if (!HasWindowsCharacters(part) || IsReservedName(part)) return NameProblem::NotWindowsName;
    return NameProblem::None;
}

}  // namespace

bool IsWindowsName(const std::string& part) {
    return !part.empty() && PartProblem(part) == NameProblem::None;
}

std::size_t WindowsPathLength(const std::vector<std::string>& parts, std::size_t first) {
    std::size_t length = 0;
    for (std::size_t i = first; i < parts.size(); ++i)
        length += (i > first ? 1 : 0) + Utf16Length(parts[i]);
    return length;
}

NameProblem SplitEntryName(const std::string& name, std::vector<std::string>& parts) {
    parts.clear();
    if (name.empty()) return NameProblem::None;
    if (name[0] == '/' || name[0] == '\\') return NameProblem::LeavesFolder;
    if (name.size() >= 2 && name[1] == ':') return NameProblem::LeavesFolder;  // "C:..."
    std::size_t start = 0;
    while (start <= name.size()) {
        const std::size_t end = name.find_first_of("/\\", start);
        std::string part =
            name.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (part == "..") return NameProblem::LeavesFolder;
        if (!part.empty() && part != ".") parts.push_back(std::move(part));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    for (const std::string& part : parts)
        if (const NameProblem problem = PartProblem(part); problem != NameProblem::None)
            return problem;
    // The longest path that can lie below the new folder, when a top folder is left out.
    if (WindowsPathLength(parts) > kMostPathCharacters + 1 + kMostNameCharacters)
        return NameProblem::TooLong;
    return NameProblem::None;
}

std::string EscapedName(const std::string& name) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string escaped;
    for (std::size_t i = 0; i < name.size();) {
        const std::size_t from = i;
        const long code = DecodeUtf8(name, i);
        if (code >= 0x20 && code != 0x7F) {
            escaped.append(name, from, i - from);
            continue;
        }
        i = from + 1;  // one byte at a time, so that what follows a bad byte is read again
        const auto byte = static_cast<unsigned char>(name[from]);
        escaped += "\\x";
        escaped += kHex[byte >> 4];
        escaped += kHex[byte & 0xF];
    }
    return escaped;
}

std::string FoldedCase(const std::string& text, locale_t utf8) {
    std::string folded;
    folded.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const long code = DecodeUtf8(text, i);
        if (code < 0) return text;  // never reached for a checked name
        const long lower = utf8 ? static_cast<long>(towlower_l(static_cast<wint_t>(code), utf8))
                                : (code >= 'A' && code <= 'Z' ? code + 32 : code);
        platform::AppendUtf8(folded, static_cast<char32_t>(lower));
    }
    return folded;
}

}  // namespace movrand::archives
