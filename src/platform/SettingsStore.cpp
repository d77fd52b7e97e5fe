// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SettingsStore.h"

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

#include "platform/FileHandles.h"
#include "platform/FileSystemErrors.h"
#include "platform/RuntimeError.h"
#include "platform/WholeFileReplace.h"
#include "platform/XdgFolders.h"

namespace movrand::platform {
namespace fs = std::filesystem;

namespace {

using Sections = std::map<std::string, std::map<std::string, std::string>>;

// Escapes a text so that it fits on one line and survives the round trip exactly. Only the few
// characters that would break the line format are written as %XX, so paths stay readable.
std::string Escape(const std::string& text, bool isName) {
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    for (char c : text) {
        const bool special = c == '%' || c == '\n' || c == '\r' || c == '\0' ||
                             (isName && (c == '=' || c == '[' || c == ']'));
        if (!special) {
            out += c;
            continue;
        }
        const auto b = static_cast<unsigned char>(c);
        out += '%';
        out += hex[b >> 4];
        out += hex[b & 15];
    }
    return out;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::string Unescape(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
            HexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

Sections Load(const fs::path& file) {
    Sections sections;
    std::istringstream in(ReadOwnFile(file).value_or(""));
    std::string line;
    std::string current;
    while (std::getline(in, line)) {
        if (!line.empty() && line.front() == '[' && line.back() == ']') {
            current = Unescape(line.substr(1, line.size() - 2));
            sections[current];
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        sections[current][Unescape(line.substr(0, equals))] = Unescape(line.substr(equals + 1));
    }
    return sections;
}

void Store(const fs::path& file, const Sections& sections) {
    std::error_code ec;
    fs::create_directories(file.parent_path(), ec);
    if (ec) throw ErrorFromCode(ec, true);
    std::ostringstream out;
    for (const auto& [section, keys] : sections) {
        if (keys.empty()) continue;
        out << '[' << Escape(section, true) << "]\n";
        for (const auto& [key, value] : keys)
            out << Escape(key, true) << '=' << Escape(value, false) << '\n';
    }
    // The platform's own error for what went wrong (a full disk is "Disk full").
    ReplaceFileWithBytes(file, out.str());
}

}  // namespace

SettingsStore SettingsStore::FromEnvironment() {
    return SettingsStore(XdgFolder("XDG_CONFIG_HOME", ".config"));
}

fs::path SettingsStore::FileOf(const std::string& application) const {
    return root_ / application / "settings.ini";
}

std::string SettingsStore::Get(const std::string& application, const std::string& section,
                               const std::string& key) const {
    const Sections sections = Load(FileOf(application));
    const auto s = sections.find(section);
    if (s == sections.end()) return "";
    const auto k = s->second.find(key);
    return k == s->second.end() ? "" : k->second;
}

void SettingsStore::Save(const std::string& application, const std::string& section,
                         const std::string& key, const std::string& value) {
    Sections sections = Load(FileOf(application));
    sections[section][key] = value;
    Store(FileOf(application), sections);
}

void SettingsStore::Delete(const std::string& application, const std::string& section,
                           const std::string& key) {
    Sections sections = Load(FileOf(application));
    const auto s = sections.find(section);
    if (s == sections.end() || s->second.erase(key) == 0) return;
    Store(FileOf(application), sections);
}

}  // namespace movrand::platform
