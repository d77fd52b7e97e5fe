// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <optional>
#include <string>

#include "common/ProgramValues.h"
#include "platform/Ui.h"

namespace movrand::links {

// The address the website-address dialog saves for what was typed: the text without the blanks
// at both ends, or nothing when no more than blanks were typed.
std::optional<std::string> AddressToSave(const std::string& typed);

// The dialog's save: a usable address becomes `WebsiteURL` and the setting "ZorvexURL"
// (application "Zorvex", section "Zorvex"); blanks only are refused with string 122 and nothing
// is stored.
void SaveWebsiteAddress(ProgramValues& pv, platform::Ui& ui, const std::string& typed);

// "Update URL": runs the dialog, then reloads the page of the chosen category through
// `navigate` only when `WebsiteURL` changed (letter case counts).
void UpdateWebsiteAddress(ProgramValues& pv, const std::function<void()>& showURLDialog,
                          const std::string& chosenCategory,
                          const std::function<void(const std::string&)>& navigate);

}  // namespace movrand::links
