// SPDX-License-Identifier: GPL-3.0-or-later
#include "wine/FileWorkScope.h"

#include "wine/Environment.h"

namespace movrand::platform {

FileWorkScope::FileWorkScope(Environment& env, Ui& ui)
    : env_(env), ui_(ui), work_(ui), previous_(env.Work) {
    env_.Work = &work_;
}

FileWorkScope::~FileWorkScope() {
    env_.Work = previous_;
    ui_.EndFileProgress();
}

}  // namespace movrand::platform
