// SPDX-License-Identifier: GPL-3.0-or-later
#include "folders/SwapJournal.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <random>
#include <vector>

#include "platform/RuntimeError.h"
#include "platform/Text.h"

namespace movrand {

namespace {

constexpr const char* kHeader = "[movrand swap]";
constexpr const char* kLiveEnd = "\\cars\\cars67";

// FNV-1a: any change of a byte, a cut or an added line changes it.
std::string Checksum(const std::string& text) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const unsigned char c : text) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    char digits[17];
    std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(hash));
    return digits;
}

std::vector<std::pair<const char*, std::string>> Fields(const SwapJournal& j) {
    return {{"live", j.Live},
            {"source", j.Source},
            {"target", j.Target},
            {"move", j.Move ? "1" : "0"},
            {"overwrite", j.Overwrite ? "1" : "0"},
            {"token", j.Token},
            {"livenumber", std::to_string(j.LiveNumber)},
            {"sourcenumber", std::to_string(j.SourceNumber)},
            {"targetnumber", std::to_string(j.TargetNumber)}};
}

bool IsHexToken(const std::string& text) {
    if (text.size() != 32) return false;
    for (const char c : text)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
    return true;
}

// A path with a drive ("C:\...").
bool IsFullPath(const std::string& path) {
    return path.size() >= 3 && path[1] == ':' && path[2] == '\\' &&
           ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

std::optional<std::uintmax_t> Number(const std::string& text) {
    std::uintmax_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty() ||
        (text.size() > 1 && text[0] == '0'))
        return std::nullopt;
    return value;
}

}  // namespace

std::string SwapJournalPath(const ProgramValues& pv) {
    return pv.AppPath + "swap.zorvex";
}

std::string NewSwapToken() {
    std::random_device device;
    std::string token;
    for (int i = 0; i < 4; ++i) {
        char digits[9];
        std::snprintf(digits, sizeof digits, "%08x", static_cast<unsigned>(device()));
        token += digits;
    }
    return token;
}

std::string SwapJournalText(const SwapJournal& j) {
    std::string text = std::string(kHeader) + "\r\n";
    for (const auto& [key, value] : Fields(j)) {
        if (value.find_first_of("\r\n") != std::string::npos)
            throw platform::RuntimeError(platform::kBadFileNameOrNumber);
        text += std::string(key) + "=" + value + "\r\n";
    }
    return text + "check=" + Checksum(text) + "\r\n";
}

std::optional<SwapJournal> ParseSwapJournal(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) return std::nullopt;  // cut short
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    const SwapJournal empty;
    const auto fields = Fields(empty);
    if (lines.size() != fields.size() + 2 || lines[0] != kHeader) return std::nullopt;
    std::array<std::string, 9> values;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::string key = std::string(fields[i].first) + "=";
        if (lines[i + 1].compare(0, key.size(), key) != 0) return std::nullopt;
        values[i] = lines[i + 1].substr(key.size());
        if (values[i].find_first_of("\r\n") != std::string::npos) return std::nullopt;
    }
    const std::size_t body = text.size() - lines.back().size() - 2;
    if (lines.back() != "check=" + Checksum(text.substr(0, body))) return std::nullopt;

    SwapJournal j;
    j.Live = values[0];
    j.Source = values[1];
    j.Target = values[2];
    const auto flag = [](const std::string& v) -> std::optional<bool> {
        if (v == "0" || v == "1") return v == "1";
        return std::nullopt;
    };
    const auto move = flag(values[3]), overwrite = flag(values[4]);
    const auto live = Number(values[6]), source = Number(values[7]), target = Number(values[8]);
    if (!move || !overwrite || !live || !source || !target) return std::nullopt;
    j.Move = *move;
    j.Overwrite = *overwrite;
    j.Token = values[5];
    j.LiveNumber = *live;
    j.SourceNumber = *source;
    j.TargetNumber = *target;
    const bool liveNamed =
        IsFullPath(j.Live) && j.Live.size() > std::string(kLiveEnd).size() &&
        platform::EqualsNoCase(j.Live.substr(j.Live.size() - std::string(kLiveEnd).size()),
                               kLiveEnd);
    if (!liveNamed || !IsFullPath(j.Source) || !IsHexToken(j.Token) || j.LiveNumber == 0 ||
        j.SourceNumber == 0 || (!j.Target.empty() && !IsFullPath(j.Target)) ||
        (j.Overwrite != (j.TargetNumber != 0)) || (j.Overwrite && j.Target.empty()))
        return std::nullopt;
    return j;
}

void WriteSwapJournal(platform::FileSystem& fs, const std::string& path, const SwapJournal& j) {
    const std::string text = SwapJournalText(j);
    fs.WriteWholeFile(path, text);
}

}  // namespace movrand
