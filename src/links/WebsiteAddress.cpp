// SPDX-License-Identifier: GPL-3.0-or-later
#include "links/WebsiteAddress.h"

#include "common/clsReg.h"
#include "links/LinkCategories.h"
#include "platform/SettingsKeys.h"
#include "platform/Text.h"
#include "resources/StringTable.h"

namespace movrand::links {

std::optional<std::string> AddressToSave(const std::string& typed) {
    std::string address = platform::Trim(typed);
    if (address.empty()) return std::nullopt;
    return address;
}

void SaveWebsiteAddress(ProgramValues& pv, platform::Ui& ui, const std::string& typed) {
    const std::optional<std::string> address = AddressToSave(typed);
    if (!address) {
        ui.ShowMessage(resources::LoadResString(resources::kWebsiteAddressPrompt));
        return;
    }
    pv.WebsiteURL = *address;
    clsReg reg(pv.Env.Settings);
    reg.AppName(platform::kSettingsApp);
    reg.Section(platform::kZorvexSection);
    reg.Key(platform::kZorvexURLKey);
    reg.Setting(pv.WebsiteURL);
    reg.RegSave();
}

void UpdateWebsiteAddress(ProgramValues& pv, const std::function<void()>& showURLDialog,
                          const std::string& chosenCategory,
                          const std::function<void(const std::string&)>& navigate) {
    const std::string before = pv.WebsiteURL;
    showURLDialog();
    if (pv.WebsiteURL != before) navigate(PageAddress(pv.WebsiteURL, chosenCategory));
}

}  // namespace movrand::links
