// SPDX-License-Identifier: GPL-3.0-or-later
#include "launchers/LauncherFiles.h"

#include <algorithm>

#include "platform/SmallFile.h"

namespace movrand::platform {
namespace fs = std::filesystem;

namespace {

// The brackets of one line (or of the whole text for JSON), outside quotes and comments.
// `flow` carries the open brackets from line to line; returns the deepest reached.
int FlowDepth(std::string_view text, int& flow, bool yaml) {
    int deepest = flow;
    char quote = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quote) {
            if (c == '\\' && quote == '"')
                ++i;
            else if (c == quote)
                quote = 0;
            continue;
        }
        if (c == '"' || (yaml && c == '\''))
            quote = c;
        else if (yaml && c == '#' && (i == 0 || text[i - 1] == ' ' || text[i - 1] == '\t'))
            break;
        else if (c == '[' || c == '{')
            deepest = std::max(deepest, ++flow);
        else if ((c == ']' || c == '}') && flow > 0)
            --flow;
    }
    return deepest;
}

}  // namespace

int NestingDepth(std::string_view text, Nesting nesting) {
    int flow = 0;
    if (nesting == Nesting::Json) return FlowDepth(text, flow, false);
    if (nesting != Nesting::Yaml) return 0;
    int deepest = 0;
    std::vector<std::size_t> indents;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(start, end - start);
        start = end + 1;
        std::size_t at = line.find_first_not_of(' ');
        if (at == std::string_view::npos || line[at] == '#' || line[at] == '\r') continue;
        int block = 0;
        if (flow == 0) {
            while (!indents.empty() && indents.back() >= at) indents.pop_back();
            indents.push_back(at);
            block = static_cast<int>(indents.size());
            // "- - - x": a sequence in a sequence on one line.
            while (at + 1 < line.size() && line[at] == '-' && line[at + 1] == ' ') {
                ++block;
                at = line.find_first_not_of(' ', at + 1);
                if (at == std::string_view::npos) break;
            }
        } else {
            block = static_cast<int>(indents.size());
        }
        deepest = std::max(deepest, block + FlowDepth(line, flow, true));
    }
    return deepest;
}

std::optional<std::string> LauncherFiles::Read(const fs::path& file, std::size_t cap,
                                               Nesting nesting) {
    std::error_code ec;
    const fs::file_status status = fs::status(file, ec);
    if (ec || !fs::exists(status)) return std::nullopt;
    const std::uintmax_t size = fs::is_regular_file(status) ? fs::file_size(file, ec) : 0;
    if (!ec && size > cap) {
        notes_.push_back("Skipped " + file.string() + ": it is larger than " + std::to_string(cap) +
                         " bytes, which no such file of the launcher is.");
        return std::nullopt;
    }
    if (!Allow(file, static_cast<std::size_t>(size))) return std::nullopt;
    std::optional<std::string> text = ReadSmallFile(file, cap);
    if (!text) return std::nullopt;
    if (NestingDepth(*text, nesting) > kDeepestLauncherNesting) {
        notes_.push_back("Skipped " + file.string() + ": it nests deeper than " +
                         std::to_string(kDeepestLauncherNesting) +
                         " levels, which no such file of the launcher does.");
        return std::nullopt;
    }
    return text;
}

bool LauncherFiles::Allow(const fs::path& file, std::size_t size) {
    if (!spent_ && (left_.Files == 0 || size > left_.Bytes)) {
        spent_ = true;
        notes_.push_back("Skipped " + file.string() +
                         " and every launcher file after it: the search reads at most " +
                         std::to_string(total_.Files) + " files and " +
                         std::to_string(total_.Bytes) + " bytes of them.");
    }
    if (spent_) return false;
    --left_.Files;
    left_.Bytes -= size;
    return true;
}

}  // namespace movrand::platform
