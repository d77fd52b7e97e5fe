// SPDX-License-Identifier: GPL-3.0-or-later
// The controls every skinned window has, by name (the object name stays kind and index:
// "shp(0)").
#pragma once

namespace movrand::dialogs::SkinnedWindowControls {

namespace shp {
inline constexpr int kWhiteFrame = 0;  // the one-pixel white edge (windows without a border)
}
namespace pic {
inline constexpr int kTileHolder = 0;  // hidden: holds the skin's tile
}

}  // namespace movrand::dialogs::SkinnedWindowControls
