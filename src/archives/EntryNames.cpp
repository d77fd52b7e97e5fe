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

std::string AsciiUpper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return upper;
}

// Device names Windows reserves, with or without an extension ("CON", "nul.txt", "COM1.dat").
bool IsReservedName(const std::string& part) {
    const std::string stem = AsciiUpper(std::string_view(part).substr(0, part.find('.')));
    for (const char* name : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"})
        if (stem == name) return true;
    return stem.size() == 4 && (stem.starts_with("COM") || stem.starts_with("LPT")) &&
           stem[3] >= '1' && stem[3] <= '9';
}

}  // namespace

bool IsWindowsName(const std::string& part) {
    if (part.empty() || part.size() > 255 || !IsValidUtf8(part)) return false;
    for (const char c : part)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F ||
            std::string_view("<>:\"|?*").find(c) != std::string_view::npos)
            return false;
    if (part.back() == ' ' || part.back() == '.') return false;
    return !IsReservedName(part);
}

NameProblem SplitEntryName(const std::string& name, std::vector<std::string>& parts) {
    parts.clear();
    if (name.empty()) return NameProblem::None;
    if (name[0] == '/' || name[0] == '\\') return NameProblem::LeavesFolder;
    if (name.size() >= 2 && name[1] == ':') return NameProblem::LeavesFolder;  // "C:..."
    std::size_t start = 0;
    while (start <= name.size()) {
        const std::size_t end = name.find_first_of("/\\", start);
        const std::string part =
            name.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (part == "..") return NameProblem::LeavesFolder;
        if (!part.empty() && part != ".") parts.push_back(part);
        if (end == std::string::npos) break;
        start = end + 1;
    }
    for (const std::string& part : parts)
        if (!IsWindowsName(part)) return NameProblem::NotWindowsName;
    return NameProblem::None;
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
