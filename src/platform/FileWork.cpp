// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileWork.h"

#include "platform/Environment.h"

namespace movrand::platform {

void FileWork::Carrying(const std::string& path) {
    ++done_;
    if (done_ > total_) total_ = done_;
    ui_.ShowFileProgress({done_, total_, path, doing_});
}

void FileWork::Stage(const std::string& doing, int files) {
    doing_ = doing;
    done_ = 0;
    total_ = files;
}

FileWorkScope::FileWorkScope(Environment& env, Ui& ui)
    : env_(env), ui_(ui), work_(ui), previous_(env.Work) {
    env_.Work = &work_;
}

FileWorkScope::~FileWorkScope() {
    env_.Work = previous_;
    ui_.EndFileProgress();
}

}  // namespace movrand::platform
