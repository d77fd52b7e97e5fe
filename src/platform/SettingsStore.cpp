#include "platform/SettingsStore.h"

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <unistd.h>

#include "platform/FileSystemErrors.h"
#include "platform/RuntimeError.h"

namespace movrand::platform {
namespace fs = std::filesystem;

namespace {

using Sections = std::map<std::string, std::map<std::string, std::string>>;

// Escapes a text so that it fits on one line and survives the round trip exactly.
std::string Escape(const std::string& text, bool isName) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\0': out += "\\0"; break;
            case '=': out += isName ? "\\e" : "="; break;
            case ']': out += isName ? "\\b" : "]"; break;
            default: out += c;
        }
    }
    return out;
}

std::string Unescape(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        switch (text[++i]) {
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case '0': out += '\0'; break;
            case 'e': out += '='; break;
            case 'b': out += ']'; break;
            default: out += text[i];
        }
    }
    return out;
}

Sections Load(const fs::path& file) {
    Sections sections;
    std::ifstream in(file, std::ios::binary);
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
        for (const auto& [key, value] : keys) out << Escape(key, true) << '=' << Escape(value, false) << '\n';
    }
    const fs::path temporary = file.parent_path() / (".settings-" + std::to_string(::getpid()) + ".tmp");
    {
        std::ofstream f(temporary, std::ios::binary | std::ios::trunc);
        f << out.str();
        f.flush();
        if (!f) {
            fs::remove(temporary, ec);
            throw RuntimeError(kDeviceIoError);
        }
    }
    fs::rename(temporary, file, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        throw ErrorFromCode(ec, false);
    }
}

}  // namespace

SettingsStore SettingsStore::FromEnvironment() {
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config) return SettingsStore(config);
    const char* home = std::getenv("HOME");
    return SettingsStore(fs::path(home && *home ? home : "/root") / ".config");
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
