// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliArguments.h"

#include "cli/CliCommandTable.h"
#include "folders/CarFolderPage.h"

namespace movrand::cli {

namespace {

ParsedArguments Wrong(const std::string& error) {
    return {std::nullopt, error};
}

// A driver number 1 to 19 written in decimal, or 0.
int DriverNumberOf(const std::string& text) {
    if (text.empty() || text.size() > 2) return 0;
    int number = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return 0;
        number = number * 10 + (c - '0');
    }
    return number <= 19 ? number : 0;
}

bool IsOption(const std::string& arg) {
    return arg == "-h" || (arg.size() > 1 && arg[0] == '-' && arg[1] == '-');
}

}  // namespace

ParsedArguments ParseArguments(const std::vector<std::string>& args) {
    CliRequest request;
    std::size_t i = 0;
    for (; i < args.size() && IsOption(args[i]); ++i) {
        const std::string& option = args[i];
        if (option == "--help" || option == "-h") {
            request.Help = true;
            return {request, ""};
        }
        if (option == "--version") {
            request.Version = true;
            return {request, ""};
        }
        if (option == "--yes") {
            request.Yes = true;
        } else if (option == "--gpl" || option == "--team" || option == "--prefix") {
            if (i + 1 == args.size()) return Wrong(option + " needs a value");
            (option == "--gpl"      ? request.Gpl
             : option == "--prefix" ? request.Prefix
                                    : request.Team) = args[++i];
        } else {
            return Wrong("unknown option " + option);
        }
    }
    if (i == args.size()) return Wrong("no command given");
    request.Command = args[i++];
    const CliCommand* command = FindCliCommand(request.Command);
    if (!command) return Wrong("unknown command " + request.Command);

    for (; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!IsOption(arg)) {
            request.Operands.push_back(arg);
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            request.Help = true;
            return {request, ""};
        }
        bool known = false;
        for (const std::string& option : command->Options) known = known || option == arg;
        if (!known) return Wrong("unknown option " + arg + " for " + request.Command);
        if (arg == "--excl-generic") {
            request.ExclGeneric = true;
        } else if (arg == "--delete") {
            request.Swap.DeleteCurrent = true;
        } else if (arg == "--rename") {
            if (i + 2 >= args.size()) return Wrong("--rename needs DEST and NAME");
            request.Swap.Rename = true;
            request.Swap.Destination = args[++i];
            request.Swap.NewName = args[++i];
        } else if (arg == "--move") {
            request.Swap.Move = true;
        } else if (arg == "--copy") {
            request.Swap.Copy = true;
        } else if (arg == "--folder" || arg == "--name" || arg == "--from") {
            if (i + 1 == args.size()) return Wrong(arg + " needs a value");
            const std::string& value = args[++i];
            if (arg == "--from")
                request.Set.From.push_back(value);
            else
                (arg == "--folder" ? request.Set.Folder : request.Set.Name) = value;
        } else if (arg == "--no-swap") {
            request.Set.NoSwap = true;
        } else if (arg == "--verbose") {
            request.Verbose = true;
        }
    }
    const std::size_t given = request.Operands.size();
    if (given < command->Operands || given > command->Operands + command->OptionalOperands)
        return Wrong(request.Command + " takes " + std::to_string(command->Operands) +
                     (command->Operands == 1 ? " argument" : " arguments"));
    if (command->Check) {
        const std::string problem = command->Check(request);
        if (!problem.empty()) return Wrong(problem);
    }
    return {request, ""};
}

std::string CheckSwap(const CliRequest& request) {
    if (request.Swap.DeleteCurrent == request.Swap.Rename)
        return "swap needs either --delete or --rename DEST NAME";
    if (request.Swap.Move && request.Swap.Copy) return "swap takes --move or --copy, not both";
    // The name box lets only these keys through; a name it could not hold is refused here.
    for (const char c : request.Swap.NewName)
        if (!NameBoxAccepts(static_cast<unsigned char>(c)) || c == '\b')
            return "NAME may hold only letters, digits and \"_\"";
    return "";
}

std::string CheckSetApply(const CliRequest& request) {
    for (const char c : request.Set.Name)
        if (!NameBoxAccepts(static_cast<unsigned char>(c)) || c == '\b')
            return "NAME may hold only letters, digits and \"_\"";
    return "";
}

std::string CheckCarNumber(const CliRequest& request) {
    return DriverNumberOf(request.Operands[0]) == 0 ? "N must be a driver number from 1 to 19" : "";
}

}  // namespace movrand::cli
