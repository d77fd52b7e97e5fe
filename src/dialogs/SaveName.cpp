// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/SaveName.h"

#include "platform/Text.h"

namespace movrand::dialogs {

std::string SaveFileName(const std::string& typed, const std::string& suffix) {
    const std::string name = platform::Trim(typed);
    if (name.empty() || platform::LowerCase(name).ends_with(platform::LowerCase(suffix)))
        return name;
    return name + suffix;
}

std::string SaveNameRefusal(const std::string& name) {
    const std::string refused = "A file cannot be named " + name + ": ";
    for (const char c : name) {
        if (static_cast<unsigned char>(c) < 32) return refused + "it holds a control character.";
        if (std::string("\\/:*?\"<>|").find(c) != std::string::npos)
            return refused + "it holds the character " + c + ".";
    }
    if (name.ends_with(' ') || name.ends_with('.'))
        return refused + "it ends in a blank or a full stop.";
    // A device name stays one before any extension, and with blanks before it.
    std::string stem = platform::LowerCase(name.substr(0, name.find('.')));
    while (stem.ends_with(' ')) stem.pop_back();
    const bool numbered = stem.size() == 4 && stem[3] >= '1' && stem[3] <= '9' &&
                          (stem.starts_with("com") || stem.starts_with("lpt"));
    if (numbered || stem == "con" || stem == "prn" || stem == "aux" || stem == "nul")
        return refused + "Windows keeps that name for a device.";
    return "";
}

}  // namespace movrand::dialogs
