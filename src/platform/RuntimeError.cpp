// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/RuntimeError.h"

namespace movrand::platform {

std::string DescriptionOf(int number) {
    switch (number) {
        case kTypeMismatch:
            return "Type mismatch";
        case kBadFileNameOrNumber:
            return "Bad file name or number";
        case kFileNotFound:
            return "File not found";
        case kFileAlreadyOpen:
            return "File already open";
        case kDeviceIoError:
            return "Device I/O error";
        case kFileAlreadyExists:
            return "File already exists";
        case kDiskFull:
            return "Disk full";
        case kInputPastEndOfFile:
            return "Input past end of file";
        case kPermissionDenied:
            return "Permission denied";
        case kDiskNotReady:
            return "Disk not ready";
        case kPathFileAccessError:
            return "Path/File access error";
        case kPathNotFound:
            return "Path not found";
        case kInvalidProcedureCall:
            return "Invalid procedure call or argument";
        case kOverflow:
            return "Overflow";
        case kOutOfMemory:
            return "Out of memory";
        case kSubscriptOutOfRange:
            return "Subscript out of range";
        default:
            return "Application-defined or object-defined error";
    }
}

RuntimeError::RuntimeError(int number) : RuntimeError(number, DescriptionOf(number)) {}

RuntimeError::RuntimeError(int number, std::string description)
    : std::runtime_error(std::to_string(number) + " " + description),
      number_(number),
      description_(std::move(description)) {}

}  // namespace movrand::platform
