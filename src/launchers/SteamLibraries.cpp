// SPDX-License-Identifier: GPL-3.0-or-later
#include "launchers/SteamLibraries.h"

#include <optional>
#include <string>

namespace movrand::platform {

namespace {

// Reads the quoted text at `pos` (after its opening quote), with the escapes Steam writes
// ("\\" and "\""), moving `pos` past the closing quote; nothing when the quote never closes.
std::optional<std::string> QuotedText(std::string_view vdf, std::size_t& pos) {
    std::string text;
    while (pos < vdf.size()) {
        const char c = vdf[pos++];
        if (c == '"') return text;
        if (c == '\\' && pos < vdf.size()) {
            text += vdf[pos++];
            continue;
        }
        text += c;
    }
    return std::nullopt;
}

}  // namespace

std::vector<std::filesystem::path> SteamLibraryFolders(std::string_view vdf) {
    std::vector<std::filesystem::path> folders;
    std::optional<std::string> key;  // a key waiting for its value
    int depth = 0;
    for (std::size_t pos = 0; pos < vdf.size();) {
        const char c = vdf[pos++];
        if (c == '{') {
            key.reset();
            ++depth;
        } else if (c == '}') {
            key.reset();
            if (--depth < 0) break;
        } else if (c == '"') {
            const std::optional<std::string> text = QuotedText(vdf, pos);
            if (!text) break;
            if (!key) {
                key = *text;
                continue;
            }
            // Today's files name a library by "path" inside a numbered block; older ones give
            // the numbered key the folder itself.
            const bool numbered =
                !key->empty() && key->find_first_not_of("0123456789") == std::string::npos;
            const bool library = (depth >= 2 && *key == "path") || (depth == 1 && numbered);
            if (library && !text->empty() && text->front() == '/') folders.emplace_back(*text);
            key.reset();
        }
    }
    return folders;
}

}  // namespace movrand::platform
