// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileWork.h"

namespace movrand::platform {

void FileWork::Carrying(const std::string& path, int files) {
    done_ += files;
    if (done_ > total_) total_ = done_;
    ui_.ShowFileProgress({done_, total_, path, doing_});
}

void FileWork::Stage(const std::string& doing, int files) {
    doing_ = doing;
    done_ = 0;
    total_ = files;
}

}  // namespace movrand::platform
