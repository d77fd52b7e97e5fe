// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QPixmap>
#include <QString>

namespace movrand::resources {

// Reads a picture that is a PNG file as one. A picture read without its format fixed is first
// offered to every image format plugin to recognise, which loads them all (and the JPEG library)
// at the start, when the main window shows its icon and its first pictures. A null picture when
// the file cannot be read.
QPixmap ReadPng(const QString& path);

}  // namespace movrand::resources
