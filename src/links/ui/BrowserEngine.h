// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QUrl>
#include <QWidget>
#include <functional>
#include <memory>

namespace movrand::links {

// A download that a page has asked for, as the engine offers it. Nothing is written until Start.
class EngineDownload {
  public:
    virtual ~EngineDownload() = default;
    // The file name the website gives (may hold anything; the saver makes it safe).
    virtual QString SuggestedName() const = 0;
    virtual QUrl Address() const = 0;
    // Saves into `folder` under `fileName`. `progress` hears of the bytes received and the total
    // (-1 when unknown); `ended` hears once whether the file is whole.
    virtual void Start(const QString& folder, const QString& fileName,
                       std::function<void(qint64 received, qint64 total)> progress,
                       std::function<void(bool whole)> ended) = 0;
    virtual void Cancel() = 0;
};

// What shows the pages inside a browser control: the web engine's view, or a plain panel where
// the program was built without it. Made by the control the first time it loads a page.
class BrowserEngine : public QWidget {
  public:
    using QWidget::QWidget;
    ~BrowserEngine() override = default;
    virtual void Navigate(const QUrl& address) = 0;
    // The page before the one shown, where there is one.
    virtual void Back() {}

    // Set by the control: where the engine hands the downloads its pages ask for, and the local
    // page it shows instead of its own error page when a website cannot be reached.
    std::function<void(std::unique_ptr<EngineDownload>)> OnDownload;
    std::function<QString(const QUrl& address)> UnreachablePage;
};

}  // namespace movrand::links

// The web engine lives in a library of its own that the program loads on the first page; this
// is the one function it offers.
using MovrandMakeBrowserEngine = movrand::links::BrowserEngine* (*)(QWidget* parent);
inline constexpr const char* kMakeBrowserEngineSymbol = "MovrandMakeWebEngineBrowser";
