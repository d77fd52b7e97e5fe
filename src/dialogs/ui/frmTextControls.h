// SPDX-License-Identifier: GPL-3.0-or-later
// The text window's controls by name (the object name stays kind and index: "txt(0)").
#pragma once

namespace movrand::dialogs::frmTextControls {

namespace lbl {
inline constexpr int kMessage = 0;
}
namespace txt {
inline constexpr int kText = 0;
}
namespace img {
inline constexpr int kSave = 0;
inline constexpr int kCancel = 1;
}  // namespace img

}  // namespace movrand::dialogs::frmTextControls
