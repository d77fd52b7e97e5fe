// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QFont>
#include <QWidget>

namespace movrand::mainwindow {

// While one lives, the application's default font is a window's own. A control lays out its
// first, empty text in the default font while it is being made, before it takes its window's
// font: a line edit (the drop-down boxes' own) as it is made, a label that takes the focus as it
// is first polished. With the window's font as the default, that layout needs no face of its
// own; with the application's, it loads a face the window never shows. The default font is given
// back when it ends, so every other window keeps its look; the fonts the desktop gives to kinds
// of controls (menus, tooltips) are left as they are.
class WindowFontWhileMade {
  public:
    explicit WindowFontWhileMade(const QWidget& window);
    ~WindowFontWhileMade();
    WindowFontWhileMade(const WindowFontWhileMade&) = delete;
    WindowFontWhileMade& operator=(const WindowFontWhileMade&) = delete;

  private:
    QFont application_;
};

}  // namespace movrand::mainwindow
