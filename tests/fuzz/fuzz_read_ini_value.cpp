// SPDX-License-Identifier: GPL-3.0-or-later
// The value cleaning of every INI read: no crash, nothing left at either end that it removes.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "roster/IniFunctions.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string raw(reinterpret_cast<const char*>(data), size);
    const std::string value = movrand::CleanIniValue(raw);
    if (value.size() > raw.size()) std::abort();
    if (!value.empty() && (value.front() == ' ' || value.back() == ' ' || value.back() == '\t'))
        std::abort();
    return 0;
}
