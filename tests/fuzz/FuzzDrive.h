// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A fake drive C: over a temporary folder that lives as long as the fuzzing process, with the
// program-wide values of a run set up on it.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "common/ProgramValues.h"
#include "platform/Ui.h"

namespace movrand::fuzz {

class SilentUi : public platform::Ui {
  public:
    void ShowMessage(const std::string&, int, int) override {}
    bool AskYesNo(const platform::Question&) override { return false; }
    std::string SelectTeam() override { return ""; }
    std::string SelectFile(const std::string&, const std::string&, const std::string&) override {
        return "";
    }
    void ShowPlatformMessage(const std::string&, platform::MessageIcon,
                             const std::string&) override {
        ++Traps;
    }
    void SetBusy(bool) override {}
    bool IsBusy() const override { return false; }
    void DoEvents() override {}
    int Traps = 0;
};

inline ProgramValues& FuzzValues() {
    static ProgramValues pv = [] {
        ProgramValues v;
        char pattern[] = "/tmp/movrand-fuzz-XXXXXX";
        const std::filesystem::path root = ::mkdtemp(pattern);
        std::filesystem::create_directories(root / "c" / "gpl");
        std::filesystem::create_directories(root / "c" / "app");
        v.Env.Drives = platform::DriveTable({{'C', root / "c"}});
        v.ProgramName = "Movrand";
        v.AppPath = "C:\\app\\";
        v.GPLPath = "C:\\gpl\\";
        v.DriverIniFile = "C:\\gpl\\driver.ini";
        v.DriverWorkFile = "C:\\app\\driver.zorvex";
        return v;
    }();
    return pv;
}

inline void WriteNative(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
}

inline std::string ReadNative(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace movrand::fuzz
