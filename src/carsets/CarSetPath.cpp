// SPDX-License-Identifier: GPL-3.0-or-later
#include "carsets/CarSetPath.h"

#include <array>
#include <string_view>

#include "addons/AddOnNames.h"
#include "platform/WholeFileReplace.h"

namespace movrand::carsets {

namespace {

// The length of the UTF-8 sequence at `i`, or 0 when it is not a valid one.
std::size_t Utf8Length(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char first = byte(i);
    if (first < 0x80) return 1;
    std::size_t length = first >= 0xF0 && first <= 0xF4   ? 4
                         : first >= 0xE0                  ? 3
                         : first >= 0xC2 && first <= 0xDF ? 2
                                                          : 0;
    if (length == 0 || i + length > text.size()) return 0;
    for (std::size_t k = 1; k < length; ++k)
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
    // Overlong forms, surrogates and code points beyond U+10FFFF.
    if (first == 0xE0 && byte(i + 1) < 0xA0) return 0;
    if (first == 0xED && byte(i + 1) >= 0xA0) return 0;
    if (first == 0xF0 && byte(i + 1) < 0x90) return 0;
    if (first == 0xF4 && byte(i + 1) >= 0x90) return 0;
    return length;
}

// The bytes below 0x80 that a name may hold as they are: no control character, none of the
// characters Windows refuses.
constexpr std::array<bool, 256> kPlainNameByte = [] {
    std::array<bool, 256> plain{};
    for (int c = 0x20; c < 0x7F; ++c) plain[static_cast<std::size_t>(c)] = true;
    for (const char c : std::string_view("<>:\"/|?*")) plain[static_cast<unsigned char>(c)] = false;
    return plain;
}();

bool SameNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const char c = a[i] >= 'a' && a[i] <= 'z' ? static_cast<char>(a[i] - 'a' + 'A') : a[i];
        if (c != b[i]) return false;
    }
    return true;
}

// The device names Windows keeps for itself, with or without an extension.
bool IsDeviceName(std::string_view name) {
    const std::string_view stem = name.substr(0, name.find('.'));
    // Every device name is three, four, six or seven bytes long.
    if (stem.size() != 3 && stem.size() != 4 && stem.size() != 6 && stem.size() != 7) return false;
    static const std::array<const char*, 6> plain = {"CON", "PRN",    "AUX",
                                                     "NUL", "CONIN$", "CONOUT$"};
    for (const char* device : plain)
        if (SameNoCase(stem, device)) return true;
    return stem.size() == 4 &&
           (SameNoCase(stem.substr(0, 3), "COM") || SameNoCase(stem.substr(0, 3), "LPT")) &&
           stem[3] >= '0' && stem[3] <= '9';
}

std::string NameRefusal(std::string_view name) {
    if (name.empty()) return "an empty name (two \"\\\" in a row, or one at the end)";
    if (name == "." || name == "..")
        return "\"" + std::string(name) + "\", which leaves its folder";
    if (name.size() > 255) return "a name longer than 255 bytes";
    for (std::size_t i = 0; i < name.size();) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        // Most names are plain letters, digits and dots: one look at a table each.
        if (kPlainNameByte[c]) {
            ++i;
            continue;
        }
        if (c < 0x20 || c == 0x7F) return "a control character";
        if (std::string_view("<>:\"/|?*").find(static_cast<char>(c)) != std::string_view::npos)
            return "the character " + std::string(1, static_cast<char>(c)) +
                   ", which Windows refuses in a name";
        const std::size_t length = Utf8Length(name, i);
        if (length == 0) return "bytes that are not UTF-8";
        i += length;
    }
    if (name.back() == ' ' || name.back() == '.')
        return "the name \"" + std::string(name) + "\", which ends in a blank or a dot";
    if (IsDeviceName(name))
        return "the name \"" + std::string(name) + "\", which Windows keeps for a device";
    return "";
}

}  // namespace

std::string SetPathRefusal(const std::string& path) {
    if (path.empty()) return "an empty path";
    if (path.front() == '\\') return "an absolute or network path";
    if (path.size() > 1 && path[1] == ':') return "a drive letter";
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = path.find('\\', start);
        const std::string_view name =
            std::string_view(path).substr(start, end == std::string::npos ? end : end - start);
        const std::string refusal = NameRefusal(name);
        if (!refusal.empty()) return refusal;
        if (end == std::string::npos) return "";
        start = end + 1;
    }
}

bool IsOwnRecordPath(const std::string& path) {
    std::size_t start = path.size();
    while (start > 0 && path[start - 1] != '\\' && path[start - 1] != '/') --start;
    // Every name the program gives its records begins with one of these: the rest are passed
    // by at a glance.
    if (start == path.size() || std::string_view("zZ~").find(path[start]) == std::string::npos)
        return false;
    return IsProgramFileName(path.substr(start));
}

bool IsOwnTemporaryPath(const std::string& path) {
    std::size_t start = path.size();
    while (start > 0 && path[start - 1] != '\\' && path[start - 1] != '/') --start;
    return path.compare(start, 9, ".movrand-") == 0 && platform::IsOwnTemporary(path.substr(start));
}

}  // namespace movrand::carsets
