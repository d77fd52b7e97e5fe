// SPDX-License-Identifier: GPL-3.0-or-later
#include "TempDrive.h"

#include <cstdlib>
#include <stdexcept>
#include <vector>

#include "DemoInstallation.h"
#include "FileSnapshot.h"
#include "roster/IniFunctions.h"

namespace movrand::test {
namespace fs = std::filesystem;

fs::path MakeTempFolder(const std::string& prefix) {
    std::string pattern = (fs::temp_directory_path() / (prefix + "XXXXXX")).string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    return pattern;
}

void RemoveTree(const fs::path& folder) {
    std::error_code ec;
    for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (!it->is_symlink())
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(folder, ec);
}

TempDrive::TempDrive(bool withInstallation) : root_(MakeTempFolder("movrand-test-")) {
    fs::create_directories(DriveC());
    Pv.Env.Drives = platform::DriveTable({{'C', DriveC()}});
    Pv.Env.Settings = platform::SettingsStore(root_ / "config");
    Pv.Env.DataHome = DriveC() / "users" / "player" / "data";
    Pv.ProgramName = "Movrand";
    Pv.AppPath = Pv.Env.ProgramFolder() + "\\";
    Pv.WebsiteURL = "http://www.zorvex-gpl.example/zorvex/newsite/newdefaultjava.asp";
    Pv.DriverWorkFile = Pv.AppPath + "driver.zorvex";
    if (withInstallation) {
        demo::MakeGplInstallation(DriveC() / "sierra" / "gpl");
        Pv.DriverIniFile = "C:\\sierra\\gpl\\driver.ini";
        Pv.GPLPath = "C:\\sierra\\gpl\\";
        MakeWorkingCopy();
    }
}

TempDrive::~TempDrive() {
    RemoveTree(root_);
}

fs::path TempDrive::Native(const std::string& windowsPath) const {
    return Pv.Files().Native(windowsPath);
}

void TempDrive::AddDrive(char letter, const fs::path& native, bool create) {
    if (create) fs::create_directories(native);
    std::vector<platform::Drive> drives = Pv.Env.Drives.Drives();
    drives.push_back({letter, native});
    Pv.Env.Drives = platform::DriveTable(drives);
}

void TempDrive::Write(const std::string& windowsPath, const std::string& bytes) {
    demo::WriteFile(Native(windowsPath), bytes);
}

std::string TempDrive::Read(const std::string& windowsPath) const {
    return ReadFile(Native(windowsPath));
}

bool TempDrive::Exists(const std::string& windowsPath) const {
    std::error_code ec;
    return fs::exists(Native(windowsPath), ec);
}

void TempDrive::MakeWorkingCopy() {
    StripIniHeaders(Pv, Ui, Pv.DriverIniFile, Pv.DriverWorkFile);
}

}  // namespace movrand::test
