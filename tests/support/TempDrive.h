// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <filesystem>
#include <string>

#include "ScriptedUi.h"
#include "common/ProgramValues.h"

namespace movrand::test {

// A new empty folder under the system's temporary folder, its name starting with `prefix`.
std::filesystem::path MakeTempFolder(const std::string& prefix);
// Removes a folder with all it holds, read-only files and folders too, without following links.
void RemoveTree(const std::filesystem::path& folder);

// A temporary fake machine: drive C: over a temporary folder, the settings store and the
// program's own folder inside it, and (unless asked not to) a GPL installation at C:\sierra\gpl
// with the sample roster. `Pv` is ready for operations: AppPath, ProgramName, DriverIniFile,
// GPLPath and DriverWorkFile are set and the working copy is made.
class TempDrive {
  public:
    explicit TempDrive(bool withInstallation = true);
    ~TempDrive();
    TempDrive(const TempDrive&) = delete;
    TempDrive& operator=(const TempDrive&) = delete;

    // Native paths.
    const std::filesystem::path& Root() const { return root_; }
    std::filesystem::path DriveC() const { return root_ / "drive_c"; }
    // The native path of a Windows path on C: (resolved without regard to case).
    std::filesystem::path Native(const std::string& windowsPath) const;

    // Maps another drive letter onto a folder (created when `create`).
    void AddDrive(char letter, const std::filesystem::path& native, bool create = true);

    void Write(const std::string& windowsPath, const std::string& bytes);
    std::string Read(const std::string& windowsPath) const;
    bool Exists(const std::string& windowsPath) const;

    // Remakes the working copy from driver.ini (as start-up does).
    void MakeWorkingCopy();

    ProgramValues Pv;
    ScriptedUi Ui;

  private:
    std::filesystem::path root_;
};

}  // namespace movrand::test
