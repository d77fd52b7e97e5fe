#include "OtherDisk.h"

#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace movrand::test {
namespace fs = std::filesystem;

namespace {
dev_t DeviceOf(const fs::path& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_dev : 0;
}
}  // namespace

OtherDisk::OtherDisk() {
    const fs::path shm = "/dev/shm";
    std::error_code ec;
    if (!fs::is_directory(shm, ec) || ::access(shm.c_str(), W_OK) != 0) return;
    if (DeviceOf(shm) == DeviceOf(fs::temp_directory_path())) return;
    std::string pattern = (shm / "movrand-disk-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (::mkdtemp(buffer.data())) folder_ = buffer.data();
}

OtherDisk::~OtherDisk() {
    if (folder_.empty()) return;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec))
        if (!it->is_symlink())
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(folder_, ec);
}

}  // namespace movrand::test
