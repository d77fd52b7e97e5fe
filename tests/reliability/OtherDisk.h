#pragma once
#include <filesystem>

namespace movrand::test {

// A scratch folder on another file system than the temporary folder (a tmpfs such as /dev/shm),
// so that a move between it and a TempDrive must copy and delete instead of renaming. Empty()
// when the machine has no such file system.
class OtherDisk {
  public:
    OtherDisk();
    ~OtherDisk();
    OtherDisk(const OtherDisk&) = delete;
    OtherDisk& operator=(const OtherDisk&) = delete;

    bool Empty() const { return folder_.empty(); }
    const std::filesystem::path& Folder() const { return folder_; }

  private:
    std::filesystem::path folder_;
};

}  // namespace movrand::test
