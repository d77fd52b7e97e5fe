#pragma once
#include <QUrl>
#include <QWidget>

namespace movrand::links {

// What shows the pages inside a browser control: the web engine's view, or a plain panel where
// the program was built without it. Made by the control the first time it loads a page.
class BrowserEngine : public QWidget {
  public:
    using QWidget::QWidget;
    ~BrowserEngine() override = default;
    virtual void Navigate(const QUrl& address) = 0;
};

}  // namespace movrand::links

// The web engine lives in a library of its own that the program loads on the first page; this
// is the one function it offers.
using MovrandMakeBrowserEngine = movrand::links::BrowserEngine* (*)(QWidget* parent);
inline constexpr const char* kMakeBrowserEngineSymbol = "MovrandMakeWebEngineBrowser";
