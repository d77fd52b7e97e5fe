// SPDX-License-Identifier: GPL-3.0-or-later
// The installation choice's controls by name (the object name stays kind and index: "lst(0)").
#pragma once

namespace movrand::dialogs::frmInstallationsControls {

namespace lbl {
inline constexpr int kExplanation = 0;  // "GPL was found in several Wine prefixes. ..."
}
namespace lst {
inline constexpr int kInstallations = 0;
}
namespace img {
inline constexpr int kOk = 0;
inline constexpr int kCancel = 1;  // find driver.ini through the file picker instead
}  // namespace img

}  // namespace movrand::dialogs::frmInstallationsControls
