// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QFontMetrics>
#include <QString>

namespace movrand::dialogs {

// A text whose paths may break their lines only after a separator ("\" or "/"): an invisible
// break chance is put after each and a joiner after each hyphen within a path, so a wrapping
// layout keeps "Z:\" whole and never splits a folder name that fits a line.
QString BreakableAtSeparators(const QString& text);

// The text cut into lines no wider than `width` (in the font of `metrics`), each line ending at
// a separator where one lies close enough; only a name wider than a whole line is cut elsewhere.
QString WrappedAtSeparators(const QString& text, const QFontMetrics& metrics, int width);

}  // namespace movrand::dialogs
