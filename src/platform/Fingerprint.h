// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace movrand::platform {

// The fingerprint of bytes handed in piece by piece (XXH3, 128 bits, as 32 hexadecimal digits):
// the same whatever the pieces, and the same as `xxh128sum` prints for the whole.
class Fingerprint {
  public:
    Fingerprint();
    Fingerprint(const Fingerprint&) = delete;
    Fingerprint& operator=(const Fingerprint&) = delete;
    ~Fingerprint();

    void Add(const char* bytes, std::size_t size);
    std::string Hex() const;

    // The fingerprint of bytes in memory, whole.
    static std::string Of(std::string_view bytes);

  private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace movrand::platform
