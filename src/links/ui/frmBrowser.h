// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QWidget>
#include <string>

#include "links/ui/BrowserControl.h"

namespace movrand::links {

// A browser window of its own: opened from the maker's name and the help buttons, one more
// window for every click, living until the user closes it (it keeps the program running after
// the main window has closed).
class frmBrowser : public QWidget {
    Q_OBJECT
  public:
    frmBrowser();

    // The address to load, taken as text.
    void SetURL(const std::string& address) { url_ = address; }
    // Sets the icon and caption and starts the navigation.
    void Form_Load();

    BrowserControl* web() const { return web_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    std::string url_;
    BrowserControl* web_;
};

// " Zorvex's  Halvane  v" + major.minor.revision + "  - Browser".
std::string BrowserCaption();

// A window's left and top (its frame) and its width and height, in twips.
struct WindowPlace {
    int Left;
    int Top;
    int Width;
    int Height;
};
WindowPlace PlaceOfWindow(const QWidget* window);

// Opens a further browser window on `address` + "/newdefaultjava.asp", placed at 1.1 times the
// given left and top with the given size (twips), maximised when asked. Not modal.
void OpenBrowserWindow(const std::string& address, int left, int top, int width, int height,
                       bool maximized);

}  // namespace movrand::links
