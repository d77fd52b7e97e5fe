// SPDX-License-Identifier: GPL-3.0-or-later
#include "roster/DriverFiles.h"

#include "roster/ListText.h"

namespace movrand {

std::string DriverFileBase(const std::string& lastName, const std::string& carNumber) {
    return FirstCharacters(lastName, 3) + carNumber + "a";
}

CarFileNames CarFilesOf(const std::string& prefix, const std::string& lastName,
                        const std::string& carNumber) {
    const std::string car = prefix + carNumber;
    const std::string driver = DriverFileBase(lastName, carNumber);
    return {car + ".3do", car + ".mip", driver + ".3do", driver + ".mip"};
}

bool IsSafeFileNamePart(const std::string& text) {
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 32) return false;
        switch (c) {
            case '\\':
            case '/':
            case ':':
            case '*':
            case '?':
            case '"':
            case '<':
            case '>':
            case '|':
                return false;
            default:
                break;
        }
    }
    return true;
}

}  // namespace movrand
