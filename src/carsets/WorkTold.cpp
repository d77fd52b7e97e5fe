// SPDX-License-Identifier: GPL-3.0-or-later
#include "carsets/WorkTold.h"

#include <algorithm>

namespace movrand::carsets {

namespace {
// Twice what makes a second thread pay, and done in a few hundredths of a second from the
// page cache: the window paints often enough, and two threads share each batch.
constexpr std::size_t kBatch = 512;
}  // namespace

WorkTold::WorkTold(const ProgramValues& pv, std::string folder) : folder_(std::move(folder)) {
    if (pv.Env.Work) fs_.emplace(pv.Files());
}

void WorkTold::Stage(const std::string& doing, std::size_t files) const {
    if (fs_) fs_->WorkStage(doing, static_cast<int>(files));
}

void WorkTold::Ahead(std::size_t files) const {
    if (fs_ && files > 0) fs_->WorkAhead(static_cast<int>(files));
}

void WorkTold::Done(const std::string& path, std::size_t files) const {
    if (!fs_ || files == 0) return;
    std::string shown = path;
    std::replace(shown.begin(), shown.end(), '/', '\\');
    fs_->WorkReached(folder_ + (folder_.ends_with('\\') ? "" : "\\") + shown,
                     static_cast<int>(files));
}

void InBatches(std::size_t count, const WorkTold& told,
               const std::function<void(std::size_t, std::size_t)>& work) {
    const std::size_t batch = told.Telling() ? kBatch : std::max<std::size_t>(count, 1);
    for (std::size_t begin = 0; begin < count; begin += batch)
        work(begin, std::min(count, begin + batch));
}

}  // namespace movrand::carsets
