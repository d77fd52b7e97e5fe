// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "common/ProgramValues.h"
#include "platform/Clock.h"
#include "wine/FileSystem.h"

namespace movrand {

// The name of a backup folder taken at `when`: the team, then day, month, four-digit year, hour,
// minute and second, without separators or leading zeros (ferrari, 5 December 2026 07:04:09
// gives ferrari5122026749).
std::string BackupStamp(const std::string& team, const platform::LocalTime& when);

// Makes a new backup folder for the team under GPLPath + parent (kReplacedCars or
// kReplacedAccessories), stamped with the local clock's time. The first backup creates the
// parent and takes the stamp as it is; later ones take the stamp, then stamp1, stamp2 ... until
// a name is free, so two backups never share a folder. Returns the path, ending with "\".
std::string CreateBackupFolder(const ProgramValues& pv, platform::FileSystem& fs,
                               const std::string& parent, const std::string& team);

}  // namespace movrand
