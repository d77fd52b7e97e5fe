// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "platform/FileWork.h"
#include "platform/Ui.h"

namespace movrand::platform {

struct Environment;

// While it lives, every file-system service made from the environment tells its own FileWork
// of the files it carries; at its end the Ui closes whatever it showed.
class FileWorkScope {
  public:
    FileWorkScope(Environment& env, Ui& ui);
    ~FileWorkScope();
    FileWorkScope(const FileWorkScope&) = delete;
    FileWorkScope& operator=(const FileWorkScope&) = delete;

  private:
    Environment& env_;
    Ui& ui_;
    FileWork work_;
    FileWork* previous_;
};

}  // namespace movrand::platform
