#pragma once
#include <QString>
#include <QWidget>
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

// What a person reads for a control without a caption of its own ("Driver", "Car number").
void SetSpokenName(QWidget* control, const std::string& name);

}  // namespace movrand::mainwindow
