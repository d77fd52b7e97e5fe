#include "app/cli/CliArguments.h"

#include <map>

#include "folders/CarFolderPage.h"

namespace movrand::cli {

const char* const kUsage =
    R"(movrand-cli [--gpl PATH] [--yes] [--team NAME] COMMAND [ARGS...]
  --gpl PATH   the GPL installation to work on: a native path (/home/me/.wine/drive_c/sierra/gpl)
               or Windows notation (C:\sierra\gpl); default: the installation of the stored
               DriverIniFile. With --gpl the stored settings are not changed.
  --prefix PATH the Wine prefix of this run, as $WINEPREFIX names it (global options such as
               this one stand before the command); the stored installation is used only when
               it lies in that prefix.
  --yes        answer Yes to every question; without it every question is answered No.
  --team NAME  the answer to the team question (a display name such as Cooper); without it, none.
  -h, --help   print this text and exit
  --version    print the version and exit

  check PATH                   test PATH as a GPL installation; prints "valid" or the message the
                               program would show; exit 0 when valid, 1 when not
  drivers                      one line per driver 1..19: N, first name, last name, car number,
                               team number, nationality, separated by tabs, as read
  car-number N NUMBER          give driver N the car number NUMBER (swap with its holder), save driver.ini
  match                        the driver-to-car matching pass
  team-drivers FOLDER          the lines of the team driver list for that team folder name
  entries ADDONFOLDER          one line per entry: N, description, kind (lower-cased), tab-separated
                               (ADDONFOLDER may also be an archive of one: .zip, .7z, .rar, .tar...,
                               unpacked into a temporary folder removed afterwards; so for
                               preview and install)
  preview ADDONFOLDER DESC [--excl-generic]
                               "picture: " + path or "picture: none", "description: " + text,
                               then one "model: " + name line per listed model file
  install ADDONFOLDER DESC     install that entry as "Add Files" does
  installed TEAM               one line per installed item of TEAM (display name), "Complete Car" first
  remove TEAM ITEM             remove that installed item as "Remove Files" does
  unpack ARCHIVE [FOLDER]      unpack an add-on archive into a new folder named after it, beside
                               it or inside FOLDER; prints the add-on folder made (exit 0) or
                               why nothing was unpacked (exit 1)
  swap SOURCE (--delete | --rename DEST NAME) [--move | --copy]
                               the car folder swap (--copy by default)
  switch PATH                  make PATH the installation in use (stores it with its prefix, like the
                               GPL Directory page); a native path inside a prefix is taken as that
                               prefix's own drive path (/home/me/Games/gpl/drive_c/sierra/gpl is
                               C:\sierra\gpl of the prefix /home/me/Games/gpl)
  installations                one line per GPL installation found: the prefix's folder, the Windows
                               path of its driver.ini and "in use" or nothing, separated by tabs
)";

namespace {

ParsedArguments Wrong(const std::string& error) {
    return {std::nullopt, error};
}

// Number of operands of each command that takes a fixed number.
const std::map<std::string, std::size_t>& Arity() {
    static const std::map<std::string, std::size_t> arity = {
        {"check", 1},        {"drivers", 0},       {"car-number", 2}, {"match", 0},
        {"team-drivers", 1}, {"entries", 1},       {"preview", 2},    {"install", 2},
        {"installed", 1},    {"remove", 2},        {"swap", 1},       {"switch", 1},
        {"unpack", 1},       {"installations", 0},
    };
    return arity;
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
    const auto arity = Arity().find(request.Command);
    if (arity == Arity().end()) return Wrong("unknown command " + request.Command);

    bool copy = false;
    bool rename = false;
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
        if (request.Command == "preview" && arg == "--excl-generic") {
            request.ExclGeneric = true;
        } else if (request.Command == "swap" && arg == "--delete") {
            request.Swap.DeleteCurrent = true;
        } else if (request.Command == "swap" && arg == "--rename") {
            if (i + 2 >= args.size()) return Wrong("--rename needs DEST and NAME");
            rename = true;
            request.Swap.Destination = args[++i];
            request.Swap.NewName = args[++i];
        } else if (request.Command == "swap" && arg == "--move") {
            request.Swap.Move = true;
        } else if (request.Command == "swap" && arg == "--copy") {
            copy = true;
        } else {
            return Wrong("unknown option " + arg + " for " + request.Command);
        }
    }
    const bool optionalFolder = request.Command == "unpack" && request.Operands.size() == 2;
    if (request.Operands.size() != arity->second && !optionalFolder)
        return Wrong(request.Command + " takes " + std::to_string(arity->second) +
                     (arity->second == 1 ? " argument" : " arguments"));
    if (request.Command == "swap") {
        if (request.Swap.DeleteCurrent == rename)
            return Wrong("swap needs either --delete or --rename DEST NAME");
        if (request.Swap.Move && copy) return Wrong("swap takes --move or --copy, not both");
        // The name box lets only these keys through; a name it could not hold is refused here.
        for (const char c : request.Swap.NewName)
            if (!NameBoxAccepts(static_cast<unsigned char>(c)) || c == '\b')
                return Wrong("NAME may hold only letters, digits and \"_\"");
    }
    if (request.Command == "car-number" && DriverNumberOf(request.Operands[0]) == 0)
        return Wrong("N must be a driver number from 1 to 19");
    return {request, ""};
}

}  // namespace movrand::cli
