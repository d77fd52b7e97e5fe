// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "platform/SettingsStore.h"

namespace movrand {

// One group of reads or writes of the settings store: set AppName and Section, then for each
// value set Key and either RegGet and read Setting, or set Setting and RegSave.
class clsReg {
  public:
    explicit clsReg(platform::SettingsStore& store) : store_(store) {}

    void AppName(const std::string& strValue) { appName_ = strValue; }
    std::string AppName() const { return appName_; }
    void Section(const std::string& strValue) { section_ = strValue; }
    std::string Section() const { return section_; }
    void Key(const std::string& strValue) { key_ = strValue; }
    std::string Key() const { return key_; }
    void Setting(const std::string& strValue) { setting_ = strValue; }
    std::string Setting() const { return setting_; }

    void RegGet() { setting_ = store_.Get(appName_, section_, key_); }
    void RegSave() { store_.Save(appName_, section_, key_, setting_); }
    void RegDel() { store_.Delete(appName_, section_, key_); }

  private:
    platform::SettingsStore& store_;
    std::string appName_;
    std::string section_;
    std::string key_;
    std::string setting_;
};

}  // namespace movrand
