#include "mainwindow/WindowTitle.h"

#include "platform/VersionRecord.h"

namespace movrand::mainwindow {

std::string WindowTitle() {
    return " Zorvex's  Movrand  v" + platform::VersionNumber();
}

}  // namespace movrand::mainwindow
