// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

namespace movrand::links {

// The program's own page for a website that cannot be reached: it says so, names the address
// and tells that "Update URL" on the "Find Add-Ons" page sets a new one. HTML, UTF-8.
std::string UnreachablePage(const std::string& address);

}  // namespace movrand::links
