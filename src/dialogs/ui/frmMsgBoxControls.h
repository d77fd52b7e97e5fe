// SPDX-License-Identifier: GPL-3.0-or-later
// The message window's controls by name (the object name stays kind and index: "img(0)").
#pragma once

namespace movrand::dialogs::frmMsgBoxControls {

namespace lbl {
inline constexpr int kMessage = 0;    // the text, or the list alone where it scrolls
inline constexpr int kAboveList = 1;  // the text before a scrolling list
inline constexpr int kBelowList = 2;  // the text after it: the question, in view
}  // namespace lbl
namespace img {
inline constexpr int kOk = 0;
}

}  // namespace movrand::dialogs::frmMsgBoxControls
