// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace movrand::platform {

// One drive letter and the native folder it stands for.
struct Drive {
    char Letter;  // upper case, 'A' to 'Z'
    std::filesystem::path Root;
};

// The machine's drives as the game sees them under Wine: the "x:" entries of the prefix's
// dosdevices folder, in letter order; Z: is "/" when the prefix does not list it.
class DriveTable {
  public:
    DriveTable() = default;
    explicit DriveTable(std::vector<Drive> drives);

    // The drives of a Wine prefix (a missing prefix still gives Z: = "/"). Where dosdevices
    // holds both "c:" and "C:", the lower-case one counts, as for Wine; a prefix without
    // dosdevices yet has C: = its drive_c and Z: = "/", as Wine makes them.
    static DriveTable FromWinePrefix(const std::filesystem::path& prefix);
    // The drives of $WINEPREFIX, or ~/.wine.
    static DriveTable FromEnvironment();

    const std::vector<Drive>& Drives() const { return drives_; }
    std::optional<Drive> Find(char letter) const;
    // The same without a copy; nullptr when the letter is not mapped.
    const Drive* FindDrive(char letter) const;

    // The drive whose root holds the native path (the longest root wins), or none.
    std::optional<Drive> DriveHolding(const std::filesystem::path& native) const;

  private:
    std::vector<Drive> drives_;
};

}  // namespace movrand::platform
