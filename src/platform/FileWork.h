// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "platform/Ui.h"

namespace movrand::platform {

// Counts the files that copies and moves carry during one user action and tells the Ui, file
// by file, so that long work can be shown. The file-system service tells it: a batch of files
// ahead (a folder copy, a list of files), then each file as it is carried.
class FileWork {
  public:
    explicit FileWork(Ui& ui) : ui_(ui) {}

    void Ahead(int files) { total_ += files; }
    // `files` more carried (a batch done at once), `path` the last of them.
    void Carrying(const std::string& path, int files = 1);
    // Work other than a copy (a restore, a check, a forget): counted anew from `files`, and
    // told as `doing` ("Restoring files") until the next stage.
    void Stage(const std::string& doing, int files);

  private:
    Ui& ui_;
    int done_ = 0;
    int total_ = 0;
    std::string doing_;
};

}  // namespace movrand::platform
