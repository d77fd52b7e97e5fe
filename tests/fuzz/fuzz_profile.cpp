// SPDX-License-Identifier: GPL-3.0-or-later
// The INI profile read and write on arbitrary files: no crash, values cut to the buffer, and a
// plain value written is read back as written.
#include <cstdint>
#include <cstdlib>

#include "FuzzDrive.h"
#include "platform/Text.h"
#include "wine/Profile.h"

using namespace movrand;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ProgramValues& pv = fuzz::FuzzValues();
    platform::FileSystem fs = pv.Files();
    const std::string input(reinterpret_cast<const char*>(data), size);
    // The first line names the section, the second the key; the rest is the file.
    const std::size_t first = input.find('\n');
    const std::size_t second =
        first == std::string::npos ? std::string::npos : input.find('\n', first + 1);
    if (second == std::string::npos) return 0;
    const std::string section = input.substr(0, first);
    const std::string key = input.substr(first + 1, second - first - 1);
    const std::string body = input.substr(second + 1);
    fuzz::WriteNative(fs.Native("C:\\gpl\\t.ini"), body);

    const std::string read =
        platform::GetPrivateProfileString(fs, section, key, "Not Found!", 250, "C:\\gpl\\t.ini");
    if (platform::AnsiFromUtf8(read).size() > 249) std::abort();
    // Within a read scope the indexed file gives the same value.
    if (const platform::ProfileReadScope scope;
        platform::GetPrivateProfileString(fs, section, key, "Not Found!", 250, "C:\\gpl\\t.ini") !=
        read)
        std::abort();

    const std::string value = "v" + std::to_string(size);
    platform::WritePrivateProfileString(fs, section, key, value, "C:\\gpl\\t.ini");
    // A section and key that the format can carry read back the value just written.
    const std::string cleanSection = platform::Trim(section, true);
    const std::string cleanKey = platform::Trim(key, true);
    const bool carried = !cleanSection.empty() && !cleanKey.empty() &&
                         cleanSection.find_first_of("[]\r\n") == std::string::npos &&
                         cleanKey.find_first_of("=;[\r\n") == std::string::npos &&
                         cleanKey[0] != ';' && cleanSection.find('\0') == std::string::npos &&
                         cleanKey.find('\0') == std::string::npos &&
                         platform::Utf8FromAnsi(platform::AnsiFromUtf8(section)) == section &&
                         platform::Utf8FromAnsi(platform::AnsiFromUtf8(key)) == key;
    if (carried) {
        const std::string back = platform::GetPrivateProfileString(fs, section, key, "Not Found!",
                                                                   250, "C:\\gpl\\t.ini");
        if (back != value) std::abort();
    }
    return 0;
}
