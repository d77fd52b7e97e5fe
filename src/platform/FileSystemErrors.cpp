#include "platform/FileSystemErrors.h"

#include <cerrno>

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
        default:
            return RuntimeError(kPathFileAccessError);
    }
}

}  // namespace movrand::platform
