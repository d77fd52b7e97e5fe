// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ui/FontConfigurationWarmUp.h"

#include <fontconfig/fontconfig.h>

namespace movrand {

// Qt's font database asks fontconfig for its configuration on first use; once read here, that
// first use finds it ready.
FontConfigurationWarmUp::FontConfigurationWarmUp() : reader_([] { FcInit(); }) {}

FontConfigurationWarmUp::~FontConfigurationWarmUp() {
    Wait();
}

void FontConfigurationWarmUp::Wait() {
    if (reader_.joinable()) reader_.join();
}

}  // namespace movrand
