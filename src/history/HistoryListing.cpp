// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/HistoryListing.h"

namespace movrand::history {

StartingPoint StartOf(const HistoryPlace& place, const std::vector<Step>& steps) {
    const int first =
        steps.empty() ? (place.Exists() ? place.FirstKept() : 1) : steps.front().Number;
    if (first <= 1) return {0, "Before Movrand changed this installation"};
    return {first - 1, "Before step " + std::to_string(first)};
}

}  // namespace movrand::history
