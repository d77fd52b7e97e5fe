// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>

class QWidget;

namespace movrand {

// The desktop program from its first line to the end of its event loop: the start-up, the main
// window and the loop. `shown` is called with the main window once it has been shown (the
// start-up benchmark watches it there). Returns the program's exit code.
int RunDesktopProgram(int argc, char* argv[], const std::function<void(QWidget&)>& shown = {});

}  // namespace movrand
