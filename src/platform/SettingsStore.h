// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <filesystem>
#include <string>

namespace movrand::platform {

// The per-user settings store: (application, section, key) -> text, kept in
// <root>/<application>/settings.ini, where root is $XDG_CONFIG_HOME (default ~/.config).
// Every text round-trips; the file is replaced in one step on every change.
class SettingsStore {
  public:
    explicit SettingsStore(std::filesystem::path root) : root_(std::move(root)) {}
    static SettingsStore FromEnvironment();

    // The stored value, or "" when there is none.
    std::string Get(const std::string& application, const std::string& section,
                    const std::string& key) const;
    void Save(const std::string& application, const std::string& section, const std::string& key,
              const std::string& value);
    void Delete(const std::string& application, const std::string& section, const std::string& key);

    std::filesystem::path FileOf(const std::string& application) const;
    // The folder that holds the application's file.
    std::filesystem::path FolderOf(const std::string& application) const {
        return root_ / application;
    }

  private:
    std::filesystem::path root_;
};

}  // namespace movrand::platform
