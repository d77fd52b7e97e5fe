// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "folders/CarFolderPage.h"
#include "wine/FileSystem.h"

namespace movrand {

// The checks a car folder swap makes before anything moves. Each returns the plain message
// that says what stops the swap, naming the folder, or "" when nothing does.

// The old folder's new place: the destination, then the new name.
std::string SwapTarget(const CarFolderPage& page);

// The live folder, the source against it, links and other entries that are not plain files or
// folders in the source (and in the live folder when it is kept), folders of the swap's own in the
// way and, when the live folder is to be kept, the destination (there, and not read-only) and the
// new place against the live folder and the source.
std::string SwapPlaceRefusal(const platform::FileSystem& fs, const std::string& live,
                             const CarFolderPage& page);

// Read-only content in the folder to be overwritten, and room for what is copied: the source
// beside the live folder (unless it is renamed there), the live folder in a destination on
// another drive.
std::string SwapRoomRefusal(const platform::FileSystem& fs, const std::string& live,
                            const CarFolderPage& page, bool overwrite);

// Whether the destination can take a new folder: one is made there under `probe` and deleted
// again.
std::string SwapDestinationRefusal(platform::FileSystem& fs, const CarFolderPage& page,
                                   const std::string& probe);

}  // namespace movrand
