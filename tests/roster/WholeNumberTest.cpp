#include <gtest/gtest.h>

#include "platform/RuntimeError.h"
#include "roster/WholeNumber.h"

namespace movrand::test {
namespace {

// The number a text converts to, or the error it raises ("error 13 Type mismatch").
std::string Converted(const std::string& text) {
    try {
        return std::to_string(ToWholeNumber(text));
    } catch (const platform::RuntimeError& error) {
        return "error " + std::to_string(error.Number()) + " " + error.Description();
    }
}

// Halves go to the even number; anything above a half goes up; non-numbers are a type mismatch.
TEST(ToWholeNumber, ConvertsTheFormsRostersUseOrRaisesTheirError) {
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        {"4", "4"}, {"  12 ", "12"}, {"\t3\t", "3"}, {"0000000000012", "12"}, {"-3", "-3"},
        {"+3", "3"}, {"-0", "0"}, {"32767", "32767"}, {"-32768", "-32768"}, {"1E1", "10"},
        {"&H10", "16"}, {"&hFFFF", "-1"}, {"&H8000", "-32768"}, {"&O17", "15"}, {"&HFFFFFFFF", "-1"},
        {"1e-999999999999", "0"}, {"2.5", "2"}, {"3.5", "4"}, {"-2.5", "-2"}, {"-3.5", "-4"},
        {"0.5", "0"}, {"2.50000000000000000001", "3"}, {"2.49999", "2"}, {".51", "1"}, {"5.", "5"},
        {"250e-2", "2"}, {"32767.4", "32767"}};
    const char* mismatches[] = {"", " ", "Not Found!", "abc", "12a", "1 2", "1,000", "--1", "+-1",
        "1.2.3", "1e", "1e+", "&H", "&HG", "&O8", ".", "+", "- 1", "0x10"};
    const char* overflows[] = {"32768", "-32769", "32767.5", "-32768.6", "1E10", "1e999999999999",
        "99999999999999999999", "&H10000", "&HFFFFFFFFF"};
    // clang-format on
    for (const auto& [text, number] : cases) EXPECT_EQ(Converted(text), number) << text;
    for (const char* text : mismatches)
        EXPECT_EQ(Converted(text), "error 13 Type mismatch") << text;
    for (const char* text : overflows) EXPECT_EQ(Converted(text), "error 6 Overflow") << text;
}

}  // namespace
}  // namespace movrand::test
