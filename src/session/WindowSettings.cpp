// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/WindowSettings.h"

#include "common/clsReg.h"
#include "platform/SettingsKeys.h"

namespace movrand {

namespace {
clsReg MovrandSection(ProgramValues& pv) {
    clsReg reg(pv.Env.Settings);
    reg.AppName(platform::kSettingsApp);
    reg.Section(platform::kMovrandSection);
    return reg;
}

std::string Read(clsReg& reg, const std::string& key) {
    reg.Key(key);
    reg.RegGet();
    return reg.Setting();
}
}  // namespace

WindowSettings ReadWindowSettings(ProgramValues& pv) {
    clsReg reg = MovrandSection(pv);
    WindowSettings settings;
    const std::string addOnsOnly = Read(reg, platform::kAddOnsOnlyKey);
    if (addOnsOnly.empty()) {
        reg.Setting("1");
        reg.RegSave();
        settings.AddOnsOnly = true;
    } else {
        settings.AddOnsOnly = addOnsOnly == "1";
    }
    settings.CarManagerDirectory = Read(reg, platform::kCarManagerDirectoryKey);
    settings.CarFolder = Read(reg, platform::kCarFolderKey);
    settings.AddOnCarFolder = Read(reg, platform::kAddOnCarFolderKey);
    return settings;
}

void SaveWindowSettings(ProgramValues& pv, const WindowSettings& settings) {
    clsReg reg = MovrandSection(pv);
    auto save = [&reg](const std::string& key, const std::string& value) {
        reg.Key(key);
        reg.Setting(value);
        reg.RegSave();
    };
    save(platform::kAddOnsOnlyKey, settings.AddOnsOnly ? "1" : "0");
    save(platform::kCarManagerDirectoryKey, settings.CarManagerDirectory);
    save(platform::kCarFolderKey, settings.CarFolder);
    save(platform::kAddOnCarFolderKey, settings.AddOnCarFolder);
}

}  // namespace movrand
