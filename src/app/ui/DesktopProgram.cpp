#include "app/ui/DesktopProgram.h"

#include <QApplication>
#include <QWidget>
#include <memory>

#include "app/Main.h"
#include "app/ui/FontConfigurationWarmUp.h"
#include "dialogs/ui/QtUi.h"
#include "mainwindow/ui/MainWindowOpener.h"

namespace movrand {

int RunDesktopProgram(int argc, char* argv[], const std::function<void(QWidget&)>& shown) {
    FontConfigurationWarmUp fonts;
    QApplication app(argc, argv);
    ProgramValues pv;
    pv.Env = platform::Environment::FromProcessEnvironment();
    // A message before the main window (no driver.ini found) may read the font configuration
    // itself while the warm-up still runs; fontconfig settles that race on its own.
    dialogs::QtUi ui(pv);
    std::unique_ptr<QWidget> window;
    const bool opened = Main(pv, ui, [&] {
        fonts.Wait();
        window = mainwindow::OpenMainWindow(pv, ui);
        if (shown) shown(*window);
    });
    if (!opened) return 0;
    return app.exec();
}

}  // namespace movrand
