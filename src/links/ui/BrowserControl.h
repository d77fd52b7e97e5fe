// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QFrame>
#include <QStringList>
#include <QUrl>
#include <functional>
#include <string>

#include "links/ui/BrowserEngine.h"
#include "links/ui/DownloadSaver.h"

namespace movrand::links {

// Makes the engine of a browser control.
using BrowserEngineMaker = std::function<BrowserEngine*(QWidget* parent)>;

// The browser control (`web`): navigates to an address and back (a Back button above the page,
// and Alt+Left); moving and sizing it are the widget's own. Its engine is made on the first
// navigation, so nothing of the web engine is loaded before a page is.
class BrowserControl : public QFrame {
    Q_OBJECT
  public:
    explicit BrowserControl(QWidget* parent = nullptr);

    void Navigate(const std::string& address);
    // The page before (Alt+Left, or the Back button above the page).
    void Back();

    // The engine maker every control uses from now on (tests put a recording one in place);
    // an empty one brings back the program's own.
    static void UseEngineMaker(BrowserEngineMaker maker);
    // Where the downloads of every browser control go from now on; without one, none is taken.
    static void UseDownloadTarget(DownloadTarget target);

    // The address as a browser takes it: an empty one is a blank page, and in web addresses a
    // backslash stands for a slash.
    static QUrl AddressUrl(const std::string& address);

  private:
    BrowserEngine* engine_ = nullptr;
    QWidget* back_ = nullptr;
};

// The program's own engine maker: the web engine when it was built and its library loads,
// else the plain panel. The library is looked for beside the program and in the installed
// library folder (found from the program's folder, so the program carries no absolute path);
// programs that run only in the build tree (tests, the screenshot tool) name its build folder in
// `moreFolders`.
BrowserEngineMaker ProgramEngineMaker(const QStringList& moreFolders = {});

}  // namespace movrand::links
