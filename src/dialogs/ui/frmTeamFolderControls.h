// SPDX-License-Identifier: GPL-3.0-or-later
// The team choice's controls by name (the object name stays kind and index: "cbo(0)").
#pragma once

namespace movrand::dialogs::frmTeamFolderControls {

namespace lbl {
inline constexpr int kQuestion = 0;  // "Please select the team that these files are to be ..."
}
namespace cbo {
inline constexpr int kTeams = 0;
}
namespace img {
inline constexpr int kOk = 0;
}

}  // namespace movrand::dialogs::frmTeamFolderControls
