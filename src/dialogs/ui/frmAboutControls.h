// SPDX-License-Identifier: GPL-3.0-or-later
// The About box's controls by name (the object name stays kind and index: "cmd(1)").
#pragma once

namespace movrand::dialogs::frmAboutControls {

namespace lbl {
inline constexpr int kTitle = 0;
inline constexpr int kVersion = 1;  // "Version 1.0.2"
inline constexpr int kDescription = 2;
inline constexpr int kLegalNotice = 3;
}  // namespace lbl
namespace img {
inline constexpr int kPicture = 0;
}
namespace cmd {
inline constexpr int kOk = 0;
inline constexpr int kSystemInfo = 1;  // "System Info..."
}  // namespace cmd

}  // namespace movrand::dialogs::frmAboutControls
