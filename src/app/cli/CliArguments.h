#pragma once
#include <optional>
#include <string>
#include <vector>

namespace movrand::cli {

// The interface of movrand-cli, as --help prints it and as scripts rely on it.
extern const char* const kUsage;

// The swap's options: the source, what happens to the current live folder, Move or Copy.
struct SwapOptions {
    bool DeleteCurrent = false;
    std::string Destination;  // with --rename
    std::string NewName;      // with --rename
    bool Move = false;        // --move; --copy (the default) otherwise
};

// One call of movrand-cli, taken apart.
struct CliRequest {
    bool Help = false;
    bool Version = false;               // --version
    std::optional<std::string> Gpl;     // --gpl PATH
    std::optional<std::string> Prefix;  // --prefix PATH
    bool Yes = false;                   // --yes
    std::optional<std::string> Team;    // --team NAME
    std::string Command;
    std::vector<std::string> Operands;  // the command's arguments, in order
    bool ExclGeneric = false;           // preview --excl-generic
    SwapOptions Swap;
};

// A request, or what was wrong with the command line.
struct ParsedArguments {
    std::optional<CliRequest> Request;
    std::string Error;
};

// Parses the arguments after the program name. Global options stand before the command; the
// command's own options (--excl-generic, --delete, --rename, --move, --copy) after it.
ParsedArguments ParseArguments(const std::vector<std::string>& args);

}  // namespace movrand::cli
