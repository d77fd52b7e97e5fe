// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <thread>

namespace movrand {

// Reads the system's font configuration on a second thread while the program starts. Reading it
// is the largest single cost of a window's first text; done beside the program's own start-up,
// the main window's first text no longer waits for it. Wait() (or the end of the object) joins
// the thread; it must come before the first window with text is built, so the font
// configuration is never read twice at once.
class FontConfigurationWarmUp {
  public:
    FontConfigurationWarmUp();
    ~FontConfigurationWarmUp();
    FontConfigurationWarmUp(const FontConfigurationWarmUp&) = delete;
    FontConfigurationWarmUp& operator=(const FontConfigurationWarmUp&) = delete;

    void Wait();

  private:
    std::thread reader_;
};

}  // namespace movrand
