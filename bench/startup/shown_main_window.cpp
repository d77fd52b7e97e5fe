// The desktop program's start-up, exactly as its main() runs it, ending when the main window has
// been painted for the first time.
#include <QApplication>
#include <QWidget>
#include <memory>

#include "FirstPaint.h"
#include "app/Main.h"
#include "dialogs/ui/QtUi.h"
#include "mainwindow/ui/MainWindowOpener.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    movrand::ProgramValues pv;
    pv.Env = movrand::platform::Environment::FromProcessEnvironment();
    movrand::dialogs::QtUi ui(pv);
    std::unique_ptr<QWidget> window;
    QuitAtFirstPaint quit;
    const bool opened = movrand::Main(pv, ui, [&] {
        window = movrand::mainwindow::OpenMainWindow(pv, ui);
        window->installEventFilter(&quit);
    });
    if (!opened) return 1;
    return app.exec();
}
