// SPDX-License-Identifier: GPL-3.0-or-later
#include "launchers/SteamShortcuts.h"

#include <optional>
#include <string>

namespace movrand::platform {
namespace fs = std::filesystem;

namespace {

constexpr int kDeepest = 4;  // shortcuts, a shortcut, its tags

class Reader {
  public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}
    std::optional<unsigned char> Byte() {
        if (pos_ >= bytes_.size()) return std::nullopt;
        return static_cast<unsigned char>(bytes_[pos_++]);
    }
    std::optional<std::string> Text() {
        const std::size_t end = bytes_.find('\0', pos_);
        if (end == std::string_view::npos) return std::nullopt;
        std::string text(bytes_.substr(pos_, end - pos_));
        pos_ = end + 1;
        return text;
    }
    std::optional<std::uint32_t> Number() {
        if (pos_ + 4 > bytes_.size()) return std::nullopt;
        std::uint32_t n = 0;
        for (int i = 3; i >= 0; --i) n = (n << 8) | static_cast<unsigned char>(bytes_[pos_ + i]);
        pos_ += 4;
        return n;
    }

  private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
};

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The CRC-32 of zip and PNG (reflected, polynomial 0x04C11DB7).
std::uint32_t Crc32(std::string_view bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc ^= static_cast<unsigned char>(c);
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// What a shortcut's entries say, as written.
struct ShortcutEntries {
    SteamShortcut Shortcut;
    std::string Exe, AppName;
};

fs::path Unquoted(std::string text) {
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        text = text.substr(1, text.size() - 2);
    return text;
}

// Reads the entries of one map up to its end; false on damage. Entries of a shortcut (depth 2)
// fill `shortcut`.
bool ReadMap(Reader& in, int depth, std::vector<SteamShortcut>& found, ShortcutEntries* shortcut) {
    for (;;) {
        const auto type = in.Byte();
        if (!type) return false;
        if (*type == 8) return true;
        const auto name = in.Text();
        if (!name) return false;
        const std::string key = Lower(*name);
        if (*type == 0) {
            if (depth >= kDeepest) return false;
            if (depth == 1) {
                ShortcutEntries next;
                if (!ReadMap(in, depth + 1, found, &next)) return false;
                if (next.Shortcut.AppId == 0 && !next.Exe.empty())
                    next.Shortcut.AppId = Crc32(next.Exe + next.AppName) | 0x80000000u;
                if (next.Shortcut.AppId != 0) found.push_back(std::move(next.Shortcut));
            } else if (!ReadMap(in, depth + 1, found, nullptr)) {
                return false;
            }
        } else if (*type == 1) {
            const auto value = in.Text();
            if (!value) return false;
            if (!shortcut) continue;
            if (key == "exe") shortcut->Exe = *value;
            if (key == "appname") shortcut->AppName = *value;
            if (key != "exe" && key != "startdir") continue;
            fs::path path = Unquoted(*value);
            if (!path.is_absolute()) continue;
            shortcut->Shortcut.Folders.push_back(key == "exe" ? path.parent_path() : path);
        } else if (*type == 2) {
            const auto value = in.Number();
            if (!value) return false;
            if (shortcut && key == "appid") shortcut->Shortcut.AppId = *value;
        } else {
            return false;
        }
    }
}

}  // namespace

std::vector<SteamShortcut> ParseSteamShortcuts(std::string_view bytes) {
    std::vector<SteamShortcut> found;
    Reader in(bytes);
    ReadMap(in, 0, found, nullptr);
    return found;
}

}  // namespace movrand::platform
