// SPDX-License-Identifier: GPL-3.0-or-later
// The download window's own control by name (the object name stays kind and index: "img(0)");
// its lines and bar are the progress window's (dialogs/ui/frmProgressControls.h).
#pragma once

namespace movrand::links::frmDownloadControls {

namespace img {
inline constexpr int kCancel = 0;
}

}  // namespace movrand::links::frmDownloadControls
