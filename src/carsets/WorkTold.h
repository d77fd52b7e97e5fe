// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <functional>
#include <optional>
#include <string>

#include "common/ProgramValues.h"
#include "wine/FileSystem.h"

namespace movrand::carsets {

// Long work on the files of one folder, told to the user's action as it goes (see FileWork.h):
// the desktop program shows it in its progress window and keeps painting meanwhile. The files
// are read or written a batch at a time on two threads, and each batch is told once it is done,
// from the thread that started the work. Where no user's action hears of the work (the console
// program, work beside the window), it tells nothing and the work is not cut into batches.
class WorkTold {
  public:
    WorkTold() = default;
    // Files are named under `folder` (Windows notation).
    WorkTold(const ProgramValues& pv, std::string folder);

    // True when the work is told to someone.
    bool Telling() const { return fs_.has_value(); }

    // What is done ("Comparing files") to `files` files; more may be announced by Ahead.
    void Stage(const std::string& doing, std::size_t files) const;
    void Ahead(std::size_t files) const;
    // `files` more done, the last of them `path` within the folder ("ferrari\fer9.3do", or with
    // "/" as the listings give it).
    void Done(const std::string& path, std::size_t files) const;

  private:
    std::optional<platform::FileSystem> fs_;
    std::string folder_;
};

// Runs `work(begin, end)` for the batches of [0, count) in turn, each large enough to keep two
// threads busy (see RunOnTwoThreads), so that work on many files can be told as it goes; all in
// one where `told` tells no one.
void InBatches(std::size_t count, const WorkTold& told,
               const std::function<void(std::size_t, std::size_t)>& work);

}  // namespace movrand::carsets
