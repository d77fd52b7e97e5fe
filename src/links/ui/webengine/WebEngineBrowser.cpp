// The web engine's browser, in a library of its own that the program loads on its first page, so
// that the engine's large libraries cost nothing at start-up.
#include <unistd.h>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QOpenGLContext>
#include <QVBoxLayout>
#include <QWebEngineView>
#include <QtGlobal>

#include "links/ui/BrowserEngine.h"

// Qt's own setter of the context every OpenGL context of the program shares with; the web engine
// needs one, and makes it itself only when it is linked into the program from its start.
QT_BEGIN_NAMESPACE
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);
QT_END_NAMESPACE

namespace {

bool EngineProcessFound() {
    const QString chosen = qEnvironmentVariable("QTWEBENGINE_PROCESS_PATH");
    const QString path = !chosen.isEmpty()
                             ? chosen
                             : QLibraryInfo::path(QLibraryInfo::LibraryExecutablesPath) +
                                   QStringLiteral("/QtWebEngineProcess");
    const QFileInfo process(path);
    if (process.isFile() && process.isExecutable()) return true;
    qWarning("Movrand: the web engine's helper program %s is missing", qPrintable(path));
    return false;
}

// Done once, before the first page: what the web engine would have set up had it been there when
// the application started.
void PrepareWebEngine() {
    // Chromium refuses to start its sandbox as root; only then the sandbox is left off.
    if (::geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    if (!QOpenGLContext::globalShareContext()) {
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
        auto* shared = new QOpenGLContext(QCoreApplication::instance());
        shared->create();  // where there is no OpenGL, the engine draws without it
        qt_gl_set_global_share_context(shared);
    }
}

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
    // Without its helper program the engine would end the whole program on its first page; the
    // caller then shows the page's address instead.
    if (!EngineProcessFound()) return nullptr;
    static const bool prepared = (PrepareWebEngine(), true);
    (void)prepared;
    return new WebEngineBrowser(parent);
}
