// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileTree.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <exception>
#include <mutex>
#include <string_view>
#include <thread>
#include <unordered_map>

#include "platform/FileHandles.h"
#include "platform/FileKeeping.h"
#include "platform/FileSystemErrors.h"

namespace movrand::platform {
namespace fs = std::filesystem;

namespace {

std::int64_t Ns(const struct timespec& t) {
    return static_cast<std::int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

TreeFile FactsOfStat(std::string name, const struct stat& st) {
    return {std::move(name),
            static_cast<std::uint64_t>(st.st_size),
            static_cast<std::uint64_t>(st.st_dev),
            static_cast<std::uint64_t>(st.st_ino),
            Ns(st.st_mtim),
            Ns(st.st_ctim),
            true};
}

// Reads the folder open at `fd` (its path under the top `prefix`, on `device`), and every
// folder below it.
void ReadInto(int fd, const std::string& prefix, const fs::path& top, std::uint64_t device,
              bool lookAtFiles, FileTree& tree) {
    DIR* dir = ::fdopendir(fd);
    if (!dir) {
        const int error = errno;
        ::close(fd);
        throw ErrorAbout(error, "read", (top / prefix).string(), true);
    }
    const std::unique_ptr<DIR, int (*)(DIR*)> closer(dir, ::closedir);
    std::vector<std::string> folders;
    while (const dirent* entry = ::readdir(dir)) {
        const char* const raw = entry->d_name;
        if (raw[0] == '.' && (raw[1] == '\0' || (raw[1] == '.' && raw[2] == '\0'))) continue;
        const std::string_view name = raw;
        std::string relative;
        relative.reserve(prefix.size() + 1 + name.size());
        if (!prefix.empty()) relative.append(prefix).append(1, '/');
        relative.append(name);
        if (!lookAtFiles && entry->d_type == DT_REG) {
            TreeFile file;
            file.Name = std::move(relative);
            file.Device = device;
            file.Number = entry->d_ino;
            file.Looked = false;
            tree.Files.push_back(std::move(file));
            continue;
        }
        struct stat st {};
        if (::fstatat(::dirfd(dir), raw, &st, AT_SYMLINK_NOFOLLOW) != 0)
            throw ErrorAbout(errno, "read", (top / prefix / name).string());
        if (S_ISREG(st.st_mode)) {
            tree.Files.push_back(FactsOfStat(std::move(relative), st));
        } else if (S_ISDIR(st.st_mode)) {
            tree.Folders.push_back(relative);
            folders.emplace_back(name);
        } else {
            tree.Odd.push_back(relative);
        }
    }
    for (const std::string& name : folders) {
        const std::string relative = prefix.empty() ? name : prefix + "/" + name;
        const int sub =
            ::openat(::dirfd(dir), name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (sub < 0) throw ErrorAbout(errno, "open", (top / relative).string(), true);
        ReadInto(sub, relative, top, device, lookAtFiles, tree);
    }
}

// The folders that hold the named files (names relative to the open folder `top`), each opened
// once, so that a file is opened by its own name in its own folder: for each name, its folder's
// descriptor and where its own name begins.
struct Holders {
    static constexpr std::size_t kMostHolders = 256;
    std::vector<Descriptor> Folders;
    std::vector<std::pair<int, std::size_t>> Of;
    Holders(const Descriptor& top, const fs::path& folder, const std::vector<std::string>& names) {
        std::unordered_map<std::string_view, int> opened;
        Of.reserve(names.size());
        for (const std::string& name : names) {
            const std::size_t slash = name.rfind('/');
            if (slash == std::string::npos) {
                Of.emplace_back(top.Get(), 0);
                continue;
            }
            const std::string_view parent(name.data(), slash);
            auto found = opened.find(parent);
            // Descriptors are few: past a number of folders, the rest are walked to by name.
            if (found == opened.end() && Folders.size() >= kMostHolders) {
                Of.emplace_back(top.Get(), 0);
                continue;
            }
            if (found == opened.end()) {
                const std::string path(parent);
                Folders.push_back(OpenFolderAt(top.Get(), path.c_str(), (folder / path).string()));
                found = opened.emplace(parent, Folders.back().Get()).first;
            }
            Of.emplace_back(found->second, slash + 1);
        }
    }
};

}  // namespace

FileTree ReadFileTree(const fs::path& folder, bool lookAtFiles) {
    FileTree tree;
    Descriptor top = OpenFolderByPath(folder, folder.string());
    struct stat st {};
    if (::fstat(top.Get(), &st) != 0) throw ErrorAbout(errno, "read", folder.string(), true);
    ReadInto(top.Release(), "", folder, static_cast<std::uint64_t>(st.st_dev), lookAtFiles, tree);
    return tree;
}

std::vector<TreeFile> LookAtFiles(const fs::path& folder, const std::vector<std::string>& names) {
    std::vector<TreeFile> files(names.size());
    const Descriptor top = OpenFolderByPath(folder, folder.string());
    const Holders holders(top, folder, names);
    for (std::size_t i = 0; i < names.size(); ++i) {
        struct stat st {};
        const auto [at, own] = holders.Of[i];
        if (::fstatat(at, names[i].c_str() + own, &st, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(st.st_mode))
            files[i] = FactsOfStat({}, st);
        else
            files[i].Looked = false;
    }
    return files;
}

void RunOnTwoThreads(std::size_t count, const std::function<void(std::size_t)>& work) {
    std::atomic<std::size_t> next{0};
    std::atomic<bool> failed{false};
    std::exception_ptr failure;
    std::mutex lock;
    const auto run = [&] {
        for (;;) {
            const std::size_t i = next++;
            if (i >= count || failed) return;
            try {
                work(i);
            } catch (...) {
                const std::lock_guard<std::mutex> guard(lock);
                if (!failure) failure = std::current_exception();
                failed = true;
            }
        }
    };
    // A second thread pays only for many files; a few are read faster on one.
    constexpr std::size_t kWorthASecondThread = 256;
    if (count >= kWorthASecondThread) {
        std::thread second(run);
        run();
        second.join();
    } else {
        run();
    }
    if (failure) std::rethrow_exception(failure);
}

std::vector<std::string> FastHashesOf(const fs::path& folder, const std::vector<std::string>& names,
                                      std::vector<TreeFile>* facts) {
    std::vector<std::string> hashes(names.size());
    if (facts) facts->assign(names.size(), {});
    const Descriptor top = OpenFolderByPath(folder, folder.string());
    const Holders holders(top, folder, names);
    const std::string prefix = folder.string() + "/";
    RunOnTwoThreads(names.size(), [&](std::size_t i) {
        struct stat info {};
        // The name shown in a message is put together in a text each thread keeps.
        thread_local std::string shown;
        shown.assign(prefix).append(names[i]);
        const auto [at, own] = holders.Of[i];
        // The names come from a listing that saw regular files there: no look before the open
        // (which cannot block, and what it opened is still checked to be a regular file).
        const Descriptor in =
            OpenForReading(at, names[i].c_str() + own, shown, info, false, nullptr, false);
        if (facts) (*facts)[i] = FactsOfStat({}, info);
        hashes[i] = FastHashOfOpen(in.Get(), shown, static_cast<std::uint64_t>(info.st_size));
    });
    return hashes;
}

bool CopyFileChecked(const fs::path& source, const fs::path& target, const std::string& hash) {
    struct stat info {};
    const Descriptor in = OpenForReading(AT_FDCWD, source.c_str(), source.string(), info);
    const mode_t mode = (info.st_mode & 0777) | S_IRUSR | S_IWUSR;
    Descriptor out(
        ::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
    if (out.Get() < 0) throw ErrorAbout(errno, "write", target.string());
    bool matches = false;
    try {
        if (::ioctl(out.Get(), FICLONE, in.Get()) == 0) {
            struct stat copied {};
            const Descriptor again =
                OpenForReading(AT_FDCWD, target.c_str(), target.string(), copied);
            matches = FastHashOfOpen(again.Get(), target.string()) == hash;
        } else {
            matches =
                CopyFingerprinted(in.Get(), out.Get(), source.string(), target.string()) == hash;
        }
        if (matches) {
            const struct timespec times[2] = {info.st_atim, info.st_mtim};
            if (::fchmod(out.Get(), mode) != 0 || ::futimens(out.Get(), times) != 0)
                throw ErrorAbout(errno, "write", target.string());
        }
        out.Close(target.string());
    } catch (...) {
        ::unlink(target.c_str());
        throw;
    }
    if (!matches) ::unlink(target.c_str());
    return matches;
}

}  // namespace movrand::platform
