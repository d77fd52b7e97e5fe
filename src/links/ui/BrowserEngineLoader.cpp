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
MovrandMakeBrowserEngine LoadWebEngine() {
    // Beside the program, where it is installed, then where the build put it.
    const QString name = QStringLiteral(MOVRAND_WEBENGINE_LIBRARY);
    const QString programFolder = QCoreApplication::applicationDirPath();
    const QStringList places = {programFolder + QLatin1Char('/') + name,
                                programFolder + QStringLiteral("/../lib/movrand/") + name,
                                QStringLiteral(MOVRAND_WEBENGINE_INSTALL_DIR "/") + name,
                                QStringLiteral(MOVRAND_WEBENGINE_BUILD_DIR "/") + name};
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
MovrandMakeBrowserEngine LoadWebEngine() {
    return nullptr;
}
#endif

}  // namespace

BrowserEngineMaker ProgramEngineMaker() {
    MovrandMakeBrowserEngine make = LoadWebEngine();
    return [make](QWidget* parent) -> BrowserEngine* {
        if (BrowserEngine* engine = make ? make(parent) : nullptr) return engine;
        return new DesktopBrowserPanel(parent);
    };
}

}  // namespace movrand::links
