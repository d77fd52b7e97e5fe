// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>

namespace movrand::platform {

// The random sequence: numbers from 0 up to but not including 1. Seeded once from the timer at
// start-up; tests give it a fixed seed.
class Random {
  public:
    explicit Random(std::uint32_t seed = 1) : state_(seed ? seed : 1) {}
    void SeedFromTimer();
    void Seed(std::uint32_t seed) { state_ = seed ? seed : 1; }
    double Next();

  private:
    std::uint64_t state_;
};

}  // namespace movrand::platform
