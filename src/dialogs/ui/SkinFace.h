// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QFont>
#include <QString>

namespace movrand::dialogs {

// The face of the texts on the program's own windows: MS Sans Serif where the machine has it,
// else the face fontconfig finds closest to it. MS Sans Serif is drawn to Arial's widths, so a
// face made to Arial's metrics (Liberation Sans, which scripts/setup installs) is the next best;
// a machine with neither gets its default sans-serif face. Asked once per run, so every window
// draws its text in the same face, whenever and over whichever window it opens.
QString SkinFaceFamily();

// That face at a point size.
QFont SkinFont(double points);

}  // namespace movrand::dialogs
