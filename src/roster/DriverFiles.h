// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

namespace movrand {

// The model and texture file names that link a car to a driver inside a team folder.
struct CarFileNames {
    std::string CarModel;       // prefix + car number + ".3do"
    std::string CarTexture;     // prefix + car number + ".mip"
    std::string DriverModel;    // first three letters of the last name + car number + "a.3do"
    std::string DriverTexture;  // first three letters of the last name + car number + "a.mip"
};

// The base of a driver's own files: the first three characters of the last name (all of it when
// shorter, letter case as stored) followed by the car number and "a".
std::string DriverFileBase(const std::string& lastName, const std::string& carNumber);

CarFileNames CarFilesOf(const std::string& prefix, const std::string& lastName,
                        const std::string& carNumber);

// False for a roster value that would take a file name out of its team folder (a path separator
// or a drive colon) or cannot be part of a file name (a wildcard, a control character); a driver
// with such a value has no car files.
bool IsSafeFileNamePart(const std::string& text);

}  // namespace movrand
