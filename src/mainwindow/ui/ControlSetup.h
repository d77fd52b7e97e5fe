// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QLabel>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <string>

#include "mainwindow/DescriptionView.h"

namespace movrand::mainwindow {

inline QString Q(const std::string& text) {
    return QString::fromStdString(text);
}
inline std::string S(const QString& text) {
    return text.toStdString();
}

// The object name of a control of an array: "cmd(1)".
QString ControlName(const char* kind, int index);

// Puts a control at a place given in twips inside its parent and remembers that place, so the
// window reads back exactly the twips it set.
void Place(QWidget* control, const TwipsPlace& place);
void Place(QWidget* control, int left, int top, int width, int height);
TwipsPlace PlaceOf(const QWidget* control);

// A tooltip is also what screen readers give as the control's description.
void SetTooltip(QWidget* control, const std::string& tooltip);

// Gives a control's text a colour: 0x00BBGGRR, or a system colour (0x800000nn), which is the
// colour the control was made with; its font and other colours stay as made.
void SetTextColour(QWidget* control, std::uint32_t colour);

// Shows `text` in a label, cut in the middle with an ellipsis when the label is too narrow;
// `whole` is its tooltip and description, so the whole is never out of reach.
void ShowElided(QLabel* label, const QString& text, const QString& whole);

// What a person reads for a control without a caption of its own ("Driver", "Car No." for the box
// beside that label).
void SetSpokenName(QWidget* control, const std::string& name);

}  // namespace movrand::mainwindow
