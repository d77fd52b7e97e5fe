// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

#include "platform/FileHandles.h"

namespace movrand::platform {

// Opens the folder reached from the open folder `root` through the folders `names`, each opened
// relative to the one before without following a link: in one openat2 call that resolves no link
// where the kernel has it, else component by component with O_NOFOLLOW. A link met on the way is
// refused with its path (`shownRoot` and the names up to it); `shown` names the folder asked for.
Descriptor OpenBelow(int root, const std::vector<std::string>& names, const std::string& shownRoot,
                     const std::string& shown);

}  // namespace movrand::platform
