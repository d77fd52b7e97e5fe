#pragma once
#include <string>

namespace movrand::resources {

// The program's string table, by number (101 to 136). An unknown number gives "".
const std::string& LoadResString(int number);

}  // namespace movrand::resources
