// SPDX-License-Identifier: GPL-3.0-or-later
// Finds the web engine's library on the first page and makes the engines from it; without it
// (a build without the web engine, a library that does not load, or an engine that cannot run
// here) the plain panel serves.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLibrary>
#include <QStringList>

#include "links/ui/BrowserControl.h"
#include "links/ui/DesktopBrowserPanel.h"

namespace movrand::links {

namespace {

#ifdef MOVRAND_WEBENGINE_LIBRARY
MovrandMakeBrowserEngine LoadWebEngine(const QStringList& moreFolders) {
    // Beside the program, then in the installed library folder, named relative to the program's
    // own (bin/../lib/movrand): no folder outside the installation, where someone else might put
    // a library, is ever looked at.
    const QString name = QStringLiteral(MOVRAND_WEBENGINE_LIBRARY);
    const QString programFolder = QCoreApplication::applicationDirPath();
    QStringList places = {
        programFolder + QLatin1Char('/') + name,
        programFolder + QStringLiteral("/" MOVRAND_WEBENGINE_RELATIVE_DIR "/") + name};
    for (const QString& folder : moreFolders) places.append(folder + QLatin1Char('/') + name);
    for (const QString& place : places) {
        if (!QFile::exists(place)) continue;
        QLibrary library(QDir::cleanPath(place));
        if (auto make = reinterpret_cast<MovrandMakeBrowserEngine>(
                library.resolve(kMakeBrowserEngineSymbol)))
            return make;  // the library stays loaded for the rest of the run
        qWarning("Movrand: the web engine library %s did not load: %s", qPrintable(place),
                 qPrintable(library.errorString()));
    }
    return nullptr;
}
#else
MovrandMakeBrowserEngine LoadWebEngine(const QStringList&) {
    return nullptr;
}
#endif

}  // namespace

BrowserEngineMaker ProgramEngineMaker(const QStringList& moreFolders) {
    MovrandMakeBrowserEngine make = LoadWebEngine(moreFolders);
    return [make](QWidget* parent) -> BrowserEngine* {
        if (BrowserEngine* engine = make ? make(parent) : nullptr) return engine;
        return new DesktopBrowserPanel(parent);
    };
}

}  // namespace movrand::links
