// SPDX-License-Identifier: GPL-3.0-or-later
#include "roster/clsIniFile.h"

#include "wine/Profile.h"

namespace movrand {

namespace {
// The read buffer holds 255 characters; the profile read is told it holds 250.
constexpr int kReadBufferSize = 250;
}  // namespace

std::string clsIniFile::ReadIniFile(std::string strAppName, std::string strKey,
                                    std::string strFile) {
    return platform::GetPrivateProfileString(fs_, strAppName, strKey, kNotFound, kReadBufferSize,
                                             strFile);
}

bool clsIniFile::WriteIniFile(const std::string& strAppName, const std::string& strKeyName,
                              const std::string& strString, const std::string& strPathAndFile) {
    // Proves the file exists (and can be read) before writing.
    fs_.OpenTextFile(strPathAndFile).Close();
    platform::WritePrivateProfileString(fs_, strAppName, strKeyName, strString, strPathAndFile);
    return true;
}

}  // namespace movrand
