// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <sys/types.h>

#include <string>
#include <system_error>

#include "platform/RuntimeError.h"

namespace movrand::platform {

// The platform's error for an operating-system failure. `isFolder` picks "Path not found" over
// "File not found" for a missing entry.
RuntimeError ErrorFromCode(std::error_code code, bool isFolder);

// The platform's error about one file or folder, its description naming it as the user knows it:
// "Path not found: C:\sierra\gpl\cars".
RuntimeError FileError(int number, const std::string& path);
RuntimeError FileError(std::error_code code, bool isFolder, const std::string& path);

// The same error, its description saying what it is about: "Cannot read C:\...\fer9.mip:
// permission denied". A full disk says "Disk full"; a link "it is a link".
// 76 "Path not found" naming the path that was not found.
RuntimeError PathNotFound(const std::string& path);

RuntimeError ErrorAbout(int osError, const std::string& operation, const std::string& path,
                        bool isFolder = false);

// The refusal of something that is no regular file or folder (a link, a FIFO, a socket, a
// device) where one was to be read or written.
RuntimeError NotPlainError(const std::string& operation, const std::string& path, mode_t mode);

// "a link", "a FIFO", "a socket", "a device", "a folder" or "a file".
std::string KindOf(mode_t mode);

}  // namespace movrand::platform
