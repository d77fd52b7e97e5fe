#pragma once
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace movrand::test {

// Every file under a folder, by its path relative to the folder, with its bytes.
class FileSnapshot {
  public:
    static FileSnapshot Take(const std::filesystem::path& root);

    const std::map<std::string, std::string>& Files() const { return files_; }

    // Files of this snapshot that `later` holds neither in their place nor, with the same name and
    // bytes, anywhere else (a backup). Empty when nothing was lost.
    std::vector<std::string> LostIn(const FileSnapshot& later) const;

  private:
    std::map<std::string, std::string> files_;
};

// The names of the files that differ between two states of a folder, by name to bytes: "+name"
// added, "~name" changed, "-name" gone; "" when none do.
std::string Differences(const std::map<std::string, std::string>& now,
                        const std::map<std::string, std::string>& expected);

// The files with the numbers of backup folders taken out of the program's accessory records: a
// record names its backup folder, whose number depends on the runs before.
std::map<std::string, std::string> WithoutBackupNumbers(std::map<std::string, std::string> files);

}  // namespace movrand::test
