// SPDX-License-Identifier: GPL-3.0-or-later
// The web engine's browser, in a library of its own that the program loads on its first page, so
// that the engine's large libraries cost nothing at start-up.
#include <unistd.h>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QOpenGLContext>
#include <QSet>
#include <QVBoxLayout>
#include <QWebEngineDownloadRequest>
#include <QWebEngineHistory>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineProfile>
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

// A download the engine offers, until it is saved or given up.
class WebEngineDownload : public movrand::links::EngineDownload {
  public:
    explicit WebEngineDownload(QWebEngineDownloadRequest* request) : request_(request) {}
    QString SuggestedName() const override { return request_->suggestedFileName(); }
    QUrl Address() const override { return request_->url(); }
    void Start(const QString& folder, const QString& fileName,
               std::function<void(qint64, qint64)> progress,
               std::function<void(bool)> ended) override {
        request_->setDownloadDirectory(folder);
        request_->setDownloadFileName(fileName);
        QObject::connect(
            request_, &QWebEngineDownloadRequest::receivedBytesChanged, &context_,
            [this, progress] { progress(request_->receivedBytes(), request_->totalBytes()); });
        QObject::connect(request_, &QWebEngineDownloadRequest::stateChanged, &context_,
                         [ended](QWebEngineDownloadRequest::DownloadState state) {
                             if (state == QWebEngineDownloadRequest::DownloadCompleted)
                                 ended(true);
                             else if (state == QWebEngineDownloadRequest::DownloadCancelled ||
                                      state == QWebEngineDownloadRequest::DownloadInterrupted)
                                 ended(false);
                         });
        request_->accept();
    }
    void Cancel() override { request_->cancel(); }

  private:
    QWebEngineDownloadRequest* request_;  // the profile's
    QObject context_;                     // ends the connections with this object
};

class WebEngineBrowser : public movrand::links::BrowserEngine {
  public:
    explicit WebEngineBrowser(QWidget* parent) : BrowserEngine(parent) {
        setObjectName(QStringLiteral("WebEngineBrowser"));
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        view_ = new QWebEngineView(this);
        layout->addWidget(view_);
        // Every browser of the program shares the profile: each takes the downloads of its page.
        connect(view_->page()->profile(), &QWebEngineProfile::downloadRequested, this,
                [this](QWebEngineDownloadRequest* request) {
                    if (request->page() != view_->page() || !OnDownload) return;
                    OnDownload(std::make_unique<WebEngineDownload>(request));
                });
        connect(view_->page(), &QWebEnginePage::loadingChanged, this,
                [this](const QWebEngineLoadingInfo& info) { ShowIfUnreachable(info); });
    }
    void Navigate(const QUrl& address) override { view_->setUrl(address); }
    // The program's page for a website that cannot be reached stands in for the address that
    // failed: going back passes both.
    void Back() override {
        QWebEngineHistory* history = view_->history();
        const QList<QWebEngineHistoryItem> items = history->items();
        for (int i = history->currentItemIndex() - 1; i >= 0; --i) {
            const QUrl url = items[i].url();
            if (url.scheme() == QLatin1String("data") || unreachable_.contains(url)) continue;
            history->goToItem(items[i]);
            return;
        }
    }

  private:
    // A website that cannot be reached shows the program's own page instead of the engine's.
    // A navigation that turned into a download (ERR_ABORTED) and an answer of the website with
    // an error status are not that.
    void ShowIfUnreachable(const QWebEngineLoadingInfo& info) {
        constexpr int kAborted = -3;
        if (info.status() != QWebEngineLoadingInfo::LoadFailedStatus || !UnreachablePage ||
            info.errorCode() == kAborted ||
            info.errorDomain() == QWebEngineLoadingInfo::HttpStatusCodeDomain)
            return;
        unreachable_.insert(info.url());
        view_->setHtml(UnreachablePage(info.url()));
    }

    QWebEngineView* view_;
    QSet<QUrl> unreachable_;
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
