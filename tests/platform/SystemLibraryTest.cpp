// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstring>

#include "platform/SystemLibrary.h"

namespace movrand::test {
namespace {

// A library loaded on first use finds its functions by name; a library or function that is not
// there is refused with a reason that names it, never a crash at the call.
TEST(SystemLibrary, FindsFunctionsOrSaysWhichLibraryOrFunctionIsMissing) {
    platform::SystemLibrary c("libc.so.6");
    decltype(&std::strlen) length = nullptr;
    ASSERT_TRUE(c.Find("strlen", length));
    EXPECT_EQ(length("four"), 4u);
    EXPECT_EQ(c.Failure(), "");
    EXPECT_FALSE(c.Find("movrand_no_such_function", length));
    EXPECT_EQ(length, nullptr);
    EXPECT_NE(c.Failure().find("libc.so.6 lacks movrand_no_such_function"), std::string::npos);

    platform::SystemLibrary missing("libmovrand-no-such-library.so.0");
    EXPECT_FALSE(missing.Loaded());
    EXPECT_FALSE(missing.Find("strlen", length));
    EXPECT_NE(missing.Failure().find("libmovrand-no-such-library.so.0 could not be loaded"),
              std::string::npos);
}

}  // namespace
}  // namespace movrand::test
