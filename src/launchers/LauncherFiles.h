// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace movrand::platform {

// How a launcher's file nests its values, looked at before it is parsed.
enum class Nesting { Yaml, Json, None };

// The deepest nesting a launcher's file may have; their own files nest a few levels.
constexpr int kDeepestLauncherNesting = 64;

// How deep a text nests: brackets and braces outside quotes, and for YAML also the levels of
// indentation and the "- " of a sequence within a sequence. An estimate from above: a text
// that a parser would nest N deep gives at least N.
int NestingDepth(std::string_view text, Nesting nesting);

// What one search may read of the launchers' files, all of them together.
struct LauncherFileBudget {
    std::size_t Bytes = 32u << 20;
    std::size_t Files = 8192;
};

// The reader of the launchers' files of one search. A file is read whole, without blocking and
// never beyond its cap, as a small file (platform/SmallFile.h). A file larger than its cap or
// nested deeper than kDeepestLauncherNesting is refused before it is parsed; once the budget is
// spent every further file is skipped. Each refusal leaves a note that names the file.
class LauncherFiles {
  public:
    explicit LauncherFiles(LauncherFileBudget budget = {}) : total_(budget), left_(budget) {}

    // The file's text; nothing when there is no file there, it cannot be read or is refused.
    std::optional<std::string> Read(const std::filesystem::path& file, std::size_t cap,
                                    Nesting nesting);
    // Whether a file of `size` bytes that another reader opens may still be read; counts it.
    bool Allow(const std::filesystem::path& file, std::size_t size);

    const std::vector<std::string>& Notes() const { return notes_; }

  private:
    LauncherFileBudget total_;
    LauncherFileBudget left_;
    bool spent_ = false;
    std::vector<std::string> notes_;
};

}  // namespace movrand::platform
