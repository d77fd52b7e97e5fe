// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <optional>
#include <string>
#include <vector>

namespace movrand::cli {

// The swap's options: the source, what happens to the current live folder, Move or Copy.
struct SwapOptions {
    bool DeleteCurrent = false;
    std::string Destination;  // with --rename
    std::string NewName;      // with --rename
    bool Move = false;        // --move; --copy (the default) otherwise
    bool Rename = false;      // --rename given
    bool Copy = false;        // --copy given
};

// The car set commands' options.
struct SetOptions {
    std::string Folder;             // --folder PATH: a stored car folder ("" for the live one)
    std::string Name;               // --name: the set's name, or the folder set-apply makes
    std::vector<std::string> From;  // --from PATH, each time it is given
    bool NoSwap = false;            // --no-swap
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
    bool Verbose = false;               // installations --verbose
    SwapOptions Swap;
    SetOptions Set;
};

// A request, or what was wrong with the command line.
struct ParsedArguments {
    std::optional<CliRequest> Request;
    std::string Error;
};

// Parses the arguments after the program name. Global options stand before the command; the
// command's own options (--excl-generic, --delete, --rename, --move, --copy, --verbose) after
// it.
ParsedArguments ParseArguments(const std::vector<std::string>& args);

// The checks of two commands beyond the number of their arguments: what is wrong, or "".
std::string CheckSwap(const CliRequest& request);
std::string CheckCarNumber(const CliRequest& request);
// set-apply's --name: letters, digits and "_", as the swap's names.
std::string CheckSetApply(const CliRequest& request);

}  // namespace movrand::cli
