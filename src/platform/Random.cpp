// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Random.h"

#include <chrono>

namespace movrand::platform {

void Random::SeedFromTimer() {
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    Seed(static_cast<std::uint32_t>(ticks ^ (ticks >> 32)));
}

double Random::Next() {
    // xorshift64*: small, fast and good enough for picking background tiles.
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    const std::uint64_t value = state_ * 0x2545F4914F6CDD1DULL;
    return static_cast<double>(value >> 11) / 9007199254740992.0;  // 2^53
}

}  // namespace movrand::platform
