// SPDX-License-Identifier: GPL-3.0-or-later
// The website address dialog's controls by name (the object name stays kind and index:
// "txt(0)").
#pragma once

namespace movrand::links::frmURLControls {

namespace lbl {
inline constexpr int kExplanation = 0;
}
namespace txt {
inline constexpr int kAddress = 0;
}
namespace img {
inline constexpr int kSave = 0;
inline constexpr int kCancel = 1;
}  // namespace img

}  // namespace movrand::links::frmURLControls
