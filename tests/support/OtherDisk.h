// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>

namespace movrand::test {

// A fresh tmpfs of `bytes` mounted over a temporary folder while this lives: a second file
// system, across which a move must copy and delete. Only root may mount it; elsewhere Empty(),
// and Why() says so for the skip.
class OtherDisk {
  public:
    explicit OtherDisk(std::uintmax_t bytes = 64u << 20);
    ~OtherDisk();
    bool Empty() const { return folder_.empty(); }
    std::string Why() const { return why_; }
    const std::filesystem::path& Folder() const { return folder_; }

  private:
    std::filesystem::path folder_;
    std::string why_;
};

}  // namespace movrand::test
