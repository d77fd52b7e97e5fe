// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace movrand::platform {

// A local date and time.
struct LocalTime {
    int Year;
    int Month;
    int Day;
    int Hour;
    int Minute;
    int Second;
};

// The local clock; tests put a fixed or stepping one in its place.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual LocalTime Now() const;
};

}  // namespace movrand::platform
