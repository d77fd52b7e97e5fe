// SPDX-License-Identifier: GPL-3.0-or-later
#include "addons/NormalPointerUi.h"

namespace movrand {

void NormalPointerUi::ShowMessage(const std::string& message, int widthTwips, int heightTwips) {
    Modal([&] { inner_.ShowMessage(message, widthTwips, heightTwips); });
}

bool NormalPointerUi::AskYesNo(const platform::Question& question) {
    return Modal([&] { return inner_.AskYesNo(question); });
}

std::optional<std::string> NormalPointerUi::AskText(const std::string& message,
                                                    const std::string& text) {
    return Modal([&] { return inner_.AskText(message, text); });
}

std::string NormalPointerUi::SelectTeam() {
    return Modal([&] { return inner_.SelectTeam(); });
}

std::string NormalPointerUi::SelectFile(const std::string& path, const std::string& pattern,
                                        const std::string& caption) {
    return Modal([&] { return inner_.SelectFile(path, pattern, caption); });
}

std::string NormalPointerUi::SaveFile(const std::string& path, const std::string& name,
                                      const std::string& suffix, const std::string& caption) {
    return Modal([&] { return inner_.SaveFile(path, name, suffix, caption); });
}

void NormalPointerUi::ShowPlatformMessage(const std::string& text, platform::MessageIcon icon,
                                          const std::string& title) {
    Modal([&] { inner_.ShowPlatformMessage(text, icon, title); });
}

}  // namespace movrand
