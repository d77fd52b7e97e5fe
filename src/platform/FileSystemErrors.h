#pragma once
#include <system_error>

#include "platform/RuntimeError.h"

namespace movrand::platform {

// The platform's error for an operating-system failure. `isFolder` picks "Path not found" over
// "File not found" for a missing entry.
RuntimeError ErrorFromCode(std::error_code code, bool isFolder);

}  // namespace movrand::platform
