#include "OtherDisk.h"

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace movrand::test {
namespace fs = std::filesystem;

namespace {

dev_t DeviceOf(const fs::path& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_dev : 0;
}

fs::path MakeTemporaryFolder(const fs::path& in) {
    std::string pattern = (in / "movrand-disk-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    return ::mkdtemp(buffer.data()) ? fs::path(buffer.data()) : fs::path();
}

}  // namespace

OtherDisk::OtherDisk(std::uintmax_t bytes) {
    if (::geteuid() == 0) {
        const fs::path folder = MakeTemporaryFolder(fs::temp_directory_path());
        const std::string options = "size=" + std::to_string(bytes) + ",mode=0755";
        if (!folder.empty() && ::mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) == 0) {
            folder_ = folder;
            mounted_ = true;
            return;
        }
        if (!folder.empty()) ::rmdir(folder.c_str());
    }
    const fs::path shm = "/dev/shm";
    std::error_code ec;
    if (fs::is_directory(shm, ec) && ::access(shm.c_str(), W_OK) == 0 &&
        DeviceOf(shm) != DeviceOf(fs::temp_directory_path()))
        folder_ = MakeTemporaryFolder(shm);
    if (folder_.empty())
        why_ =
            "no second file system: a tmpfs can be mounted only as root (or with the right to "
            "mount), and /dev/shm is missing or on the temporary folder's file system";
}

OtherDisk::~OtherDisk() {
    if (folder_.empty()) return;
    std::error_code ec;
    if (mounted_) {
        ::umount2(folder_.c_str(), MNT_DETACH);
        fs::remove(folder_, ec);
        return;
    }
    for (fs::recursive_directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec))
        if (!it->is_symlink())
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(folder_, ec);
}

}  // namespace movrand::test
