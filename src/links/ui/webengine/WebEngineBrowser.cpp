// The web engine's browser, in a library of its own that the program loads on its first page, so
// that the engine's large libraries cost nothing at start-up.
#include <unistd.h>
#include <QVBoxLayout>
#include <QWebEngineView>
#include <QtGlobal>

#include "links/ui/BrowserEngine.h"

namespace {

class WebEngineBrowser : public movrand::links::BrowserEngine {
  public:
    explicit WebEngineBrowser(QWidget* parent) : BrowserEngine(parent) {
        setObjectName(QStringLiteral("WebEngineBrowser"));
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        view_ = new QWebEngineView(this);
        layout->addWidget(view_);
    }
    // A page that cannot be reached shows the engine's own error page.
    void Navigate(const QUrl& address) override { view_->setUrl(address); }

  private:
    QWebEngineView* view_;
};

}  // namespace

extern "C" Q_DECL_EXPORT movrand::links::BrowserEngine* MovrandMakeWebEngineBrowser(
    QWidget* parent) {
    // Chromium refuses to start its sandbox as root; only then the sandbox is left off.
    if (::geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    return new WebEngineBrowser(parent);
}
