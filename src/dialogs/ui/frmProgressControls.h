// SPDX-License-Identifier: GPL-3.0-or-later
// The progress window's controls by name (the object name stays kind and index: "lbl(1)"); the
// download window has them too.
#pragma once

namespace movrand::dialogs::frmProgressControls {

namespace lbl {
inline constexpr int kProgress = 0;  // "Copying files: 3 of 40"
inline constexpr int kFile = 1;      // the file being copied (or downloaded)
}  // namespace lbl
namespace prg {
inline constexpr int kBar = 0;
}

}  // namespace movrand::dialogs::frmProgressControls
