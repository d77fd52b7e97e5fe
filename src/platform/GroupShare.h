// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <sys/stat.h>
#include <sys/types.h>

#include <filesystem>

namespace movrand::platform {

// The mode `own` widened for an installation its group may write (a prefix shared by the users
// of a group): the group gets what the owner has, and a folder the setgid bit, so that what is
// made in it takes the installation's group too. Unchanged for any other installation.
mode_t GroupMode(const struct stat& installation, mode_t own, bool folder);

// Gives the open entry `fd`, made by this user, the installation's group and `mode`. The group
// may be one this user is no member of: then the folder's setgid bit, or nothing, decides it.
void TakeInstallationGroup(int fd, const struct stat& installation, mode_t mode);

// Gives the regular file `file`, just written by this user into the open folder `folder`, the
// group's permissions where that folder is its group's to write (a prefix shared by a group; not
// one open to everyone, as /tmp is): the group gets what the owner has, whatever this user's
// umask or a copied file's own permissions closed, so that another user of the group can keep
// it in the history and replace it.
void ShareWrittenFile(int folder, int file);

// Opens `native` (no link followed) and, where this user owns it, gives it the installation's
// group and the mode GroupMode makes of its own. Nothing happens to what cannot be opened, nor
// to a file with more than one name.
void ShareLikeInstallation(const std::filesystem::path& native, const struct stat& installation);

}  // namespace movrand::platform
