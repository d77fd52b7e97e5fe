// SPDX-License-Identifier: GPL-3.0-or-later
// The file picker's controls by name (the object name stays kind and index: "fle(0)").
#pragma once

namespace movrand::dialogs::frmFileControls {

namespace drv {
inline constexpr int kDrives = 0;
}
namespace dir {
inline constexpr int kFolders = 0;
}
namespace fle {
inline constexpr int kFiles = 0;
}
namespace lbl {
inline constexpr int kChosenFile = 0;
}
namespace txt {
inline constexpr int kFileName = 0;  // the file name typed when saving
}
namespace chk {
inline constexpr int kShowHiddenFolders = 0;  // "Show hidden folders"
}
namespace img {
inline constexpr int kUseThisFile = 0;
inline constexpr int kCancel = 1;
}  // namespace img

}  // namespace movrand::dialogs::frmFileControls
