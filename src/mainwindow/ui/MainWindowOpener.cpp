#include "mainwindow/ui/MainWindowOpener.h"

#include "mainwindow/WindowTitle.h"

namespace movrand::mainwindow {

std::unique_ptr<QWidget> OpenMainWindow(ProgramValues&, platform::Ui&) {
    auto window = std::make_unique<QWidget>();
    window->setObjectName("frmMovrand");
    window->setWindowTitle(QString::fromStdString(WindowTitle()));
    window->resize(600, 400);
    window->show();
    return window;
}

}  // namespace movrand::mainwindow
