#pragma once
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace movrand {

// "PROGRAM VERSION" and a line end, as --version prints it ("movrand-cli 1.0.2").
std::string VersionText(std::string_view program);

// What `movrand --help` prints.
extern const char* const kDesktopUsage;

// The desktop program's command line, looked at before anything else runs (no window, no
// settings, no installation): --help and --version as the first argument are answered here and
// give the exit code 0. Returns nothing when the program is to start; the program takes no
// arguments of its own, and whatever else stands there is left to Qt ("-platform xcb").
std::optional<int> AnswerDesktopArguments(const std::vector<std::string>& args, std::ostream& out);

}  // namespace movrand
