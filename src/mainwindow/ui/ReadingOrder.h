// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QWidget>
#include <vector>

namespace movrand::mainwindow {

// The controls of a page or panel that Tab reaches, in reading order: row by row from the top,
// each row from left to right. A control joins a row when its top lies above the middle of the
// row's first control; a frame counts as one control at its place, its own controls read in
// the same way. Only the window's own controls count (those made as part of a control array),
// hidden ones too, since a page shows them later.
std::vector<QWidget*> ReadingOrder(const QWidget* container);

// Links the focus chain of `controls` in the order given.
void ChainFocus(const std::vector<QWidget*>& controls);

}  // namespace movrand::mainwindow
