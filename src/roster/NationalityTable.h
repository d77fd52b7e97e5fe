// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

namespace movrand {

// One entry of the nationality table: the roster's "nationality" index 0 to 28.
struct Nationality {
    std::string Adjective;  // "British"
    std::string Country;    // "Britain"
    int FlagId;             // bitmap 112 + index
};

// The entry of an index 0 to 28, or nullptr.
const Nationality* NationalityByIndex(int index);

}  // namespace movrand
