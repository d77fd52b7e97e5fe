// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileSystemErrors.h"

#include <sys/stat.h>

#include <cerrno>

#include "platform/Text.h"

namespace movrand::platform {

RuntimeError ErrorFromCode(std::error_code code, bool isFolder) {
    switch (code.value()) {
        case ENOENT:
        case ENOTDIR:
            return RuntimeError(isFolder ? kPathNotFound : kFileNotFound);
        case EACCES:
        case EPERM:
        case EROFS:
        case ETXTBSY:
        case EBUSY:
            return RuntimeError(kPermissionDenied);
        case EEXIST:
            return RuntimeError(kFileAlreadyExists);
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return RuntimeError(kDiskFull);
        case EIO:
            return RuntimeError(kDeviceIoError);
        case ENOMEM:
            return RuntimeError(7);
        case ENAMETOOLONG:
        case EINVAL:
            return RuntimeError(kBadFileNameOrNumber);
        case ENODEV:
        case ENXIO:
        case ENOMEDIUM:
            return RuntimeError(kDiskNotReady);
        case ELOOP:
            return RuntimeError(kPathFileAccessError);
        default:
            return RuntimeError(kPathFileAccessError);
    }
}

RuntimeError FileError(int number, const std::string& path) {
    return RuntimeError(number, DescriptionOf(number) + ": " + path);
}

RuntimeError FileError(std::error_code code, bool isFolder, const std::string& path) {
    return FileError(ErrorFromCode(code, isFolder).Number(), path);
}

RuntimeError PathNotFound(const std::string& path) {
    return FileError(kPathNotFound, path);
}

RuntimeError ErrorAbout(int osError, const std::string& operation, const std::string& path,
                        bool isFolder) {
    const RuntimeError plain =
        ErrorFromCode(std::error_code(osError, std::generic_category()), isFolder);
    std::string reason;
    if (plain.Number() == kDiskFull)
        reason = "Disk full";
    else if (osError == ELOOP)
        reason = "it is a link";
    else
        reason = LowerCase(plain.Description());
    return RuntimeError(plain.Number(), "Cannot " + operation + " " + path + ": " + reason);
}

std::string KindOf(mode_t mode) {
    if (S_ISLNK(mode)) return "a link";
    if (S_ISFIFO(mode)) return "a FIFO";
    if (S_ISSOCK(mode)) return "a socket";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
    if (S_ISDIR(mode)) return "a folder";
    return "a file";
}

RuntimeError NotPlainError(const std::string& operation, const std::string& path, mode_t mode) {
    return RuntimeError(kPathFileAccessError, "Cannot " + operation + " " + path + ": it is " +
                                                  KindOf(mode) + ", not a regular file");
}

}  // namespace movrand::platform
