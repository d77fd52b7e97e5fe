// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/SystemInformation.h"

#include "wine/ProgramStart.h"
#include "wine/WineRegistry.h"

namespace movrand::dialogs {

namespace {
constexpr std::size_t kValueBuffer = 1024;

std::size_t CharacterCount(const std::string& utf8) {
    std::size_t count = 0;
    for (unsigned char c : utf8)
        if ((c & 0xC0) != 0x80) ++count;
    return count;
}
}  // namespace

bool GetKeyValue(const std::filesystem::path& winePrefix, std::uint32_t KeyRoot,
                 const std::string& KeyName, const std::string& SubKeyRef, std::string& KeyVal) {
    KeyVal.clear();
    if (KeyRoot != HKEY_LOCAL_MACHINE || winePrefix.empty()) return false;
    const auto value =
        platform::ReadMachineValue(platform::MachineRegistryFile(winePrefix), KeyName, SubKeyRef);
    if (!value || !value->IsString) return false;
    std::string text = value->Text;
    // The text and its closing zero fill the buffer; a longer one is not read.
    if (CharacterCount(text) + 1 > kValueBuffer) return false;
    if (!text.empty() && text.back() == '\0') text.pop_back();
    KeyVal = text;
    return true;
}

void StartSysInfo(ProgramValues& pv, platform::Ui& ui, const ProgramStarter& start) {
    const std::filesystem::path& prefix = pv.Env.WinePrefix;
    std::string path;
    bool started = false;
    if (GetKeyValue(prefix, HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH",
                    path)) {
        started = start(path);
    } else if (GetKeyValue(prefix, HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools Location",
                           "MSINFO", path)) {
        const std::string tool = path + "\\MSINFO32.EXE";
        bool exists = false;
        try {
            exists = pv.Files().FileExists(tool);
        } catch (const std::exception&) {
            // A path that cannot be looked at is no tool.
        }
        if (exists) started = start(tool);
    }
    if (!started)
        ui.ShowPlatformMessage("System Information Is Unavailable At This Time",
                               platform::MessageIcon::None, pv.ProgramName);
}

void StartSysInfo(ProgramValues& pv, platform::Ui& ui) {
    const std::filesystem::path prefix = pv.Env.WinePrefix;
    StartSysInfo(pv, ui, [prefix](const std::string& windowsPath) {
        return platform::StartWindowsProgram(windowsPath, prefix);
    });
}

}  // namespace movrand::dialogs
