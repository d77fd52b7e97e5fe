#pragma once
#include <cstdint>
#include <filesystem>
#include <string>

namespace movrand::test {

// A scratch folder on a file system of its own, so that a move between it and a TempDrive or a
// CliMachine must copy and delete instead of renaming: a fresh tmpfs of `bytes` when the tests
// run as root, else a folder in /dev/shm when that is another file system. Empty() when there is
// neither; Why() then says why, for the skip.
class OtherDisk {
  public:
    explicit OtherDisk(std::uintmax_t bytes = 64u << 20);
    ~OtherDisk();
    OtherDisk(const OtherDisk&) = delete;
    OtherDisk& operator=(const OtherDisk&) = delete;

    bool Empty() const { return folder_.empty(); }
    const std::string& Why() const { return why_; }
    const std::filesystem::path& Folder() const { return folder_; }

  private:
    std::filesystem::path folder_;
    std::string why_;
    bool mounted_ = false;
};

}  // namespace movrand::test
