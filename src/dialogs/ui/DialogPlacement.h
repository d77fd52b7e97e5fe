// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QPoint>
#include <QSize>
#include <QWidget>
#include <optional>

namespace movrand::dialogs {

// Where a window of `size` opened over `owner` goes: centred on it, unless it would hide one of
// the owner's picture buttons (two answer buttons at once would leave the user guessing which
// window one belongs to); then just below the owner, or above it where the screen has no room
// below. Nothing when there is no owner.
std::optional<QPoint> PlaceOver(QSize size, const QWidget* owner);

// Moves a window that reaches past the work area of its screen back inside it (its top left
// corner kept in where the window is the larger), so no part of it opens out of reach.
void KeepOnScreen(QWidget& window);

}  // namespace movrand::dialogs
