// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "wine/FileSystem.h"

namespace movrand {

// The text a missing INI section or key reads as.
inline constexpr const char* kNotFound = "Not Found!";

// The INI file class over the platform's profile read and write. Holds no state.
class clsIniFile {
  public:
    explicit clsIniFile(platform::FileSystem& fs) : fs_(fs) {}

    // The value of strKey in section strAppName of strFile (at most 249 characters), or
    // "Not Found!" when the file, the section or the key is missing.
    std::string ReadIniFile(std::string strAppName, std::string strKey, std::string strFile);

    // Sets a key. The file must exist: a missing file raises the error of the failed open and
    // nothing is written (no file is ever created here).
    bool WriteIniFile(const std::string& strAppName, const std::string& strKeyName,
                      const std::string& strString, const std::string& strPathAndFile);

  private:
    platform::FileSystem& fs_;
};

}  // namespace movrand
