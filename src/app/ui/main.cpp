// The desktop program: takes no arguments.
#include <QApplication>
#include <QWidget>
#include <memory>

#include "app/Main.h"
#include "dialogs/ui/QtUi.h"
#include "mainwindow/ui/MainWindowOpener.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    movrand::ProgramValues pv;
    pv.Env = movrand::platform::Environment::FromProcessEnvironment();
    movrand::dialogs::QtUi ui(pv);
    std::unique_ptr<QWidget> window;
    const bool opened =
        movrand::Main(pv, ui, [&] { window = movrand::mainwindow::OpenMainWindow(pv, ui); });
    if (!opened) return 0;
    return app.exec();
}
