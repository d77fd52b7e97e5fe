#pragma once
#include <filesystem>
#include <string>

namespace movrand::platform {

// Starts a Windows program (its path in Windows notation) through Wine in the given prefix,
// without waiting for it, in a normal window. False when Wine is not installed or could not be
// started; whether the program itself exists is for Wine to find out.
bool StartWindowsProgram(const std::string& windowsPath, const std::filesystem::path& winePrefix);

// The `wine` program on the search path, or empty when there is none.
std::filesystem::path FindWine();

}  // namespace movrand::platform
