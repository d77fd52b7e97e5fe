#include <gtest/gtest.h>

#include "platform/RuntimeError.h"
#include "roster/WholeNumber.h"

namespace movrand::test {
namespace {

// The error number a conversion raises, or 0 when it converts.
int ErrorOf(const std::string& text) {
    try {
        ToWholeNumber(text);
        return 0;
    } catch (const platform::RuntimeError& error) {
        return error.Number();
    }
}

TEST(ToWholeNumber, ConvertsTheFormsRostersUse) {
    EXPECT_EQ(ToWholeNumber("4"), 4);
    EXPECT_EQ(ToWholeNumber("  12 "), 12);
    EXPECT_EQ(ToWholeNumber("\t3\t"), 3);
    EXPECT_EQ(ToWholeNumber("007"), 7);
    EXPECT_EQ(ToWholeNumber("0000000000012"), 12);
    EXPECT_EQ(ToWholeNumber("-3"), -3);
    EXPECT_EQ(ToWholeNumber("+3"), 3);
    EXPECT_EQ(ToWholeNumber("0"), 0);
    EXPECT_EQ(ToWholeNumber("-0"), 0);
    EXPECT_EQ(ToWholeNumber("32767"), 32767);
    EXPECT_EQ(ToWholeNumber("-32768"), -32768);
    EXPECT_EQ(ToWholeNumber("1E1"), 10);
    EXPECT_EQ(ToWholeNumber("&H10"), 16);
    EXPECT_EQ(ToWholeNumber("&hFFFF"), -1);
    EXPECT_EQ(ToWholeNumber("&H8000"), -32768);
    EXPECT_EQ(ToWholeNumber("&O17"), 15);
}

TEST(ToWholeNumber, RoundsAHalfToTheEvenNumber) {
    EXPECT_EQ(ToWholeNumber("2.5"), 2);
    EXPECT_EQ(ToWholeNumber("3.5"), 4);
    EXPECT_EQ(ToWholeNumber("-2.5"), -2);
    EXPECT_EQ(ToWholeNumber("-3.5"), -4);
    EXPECT_EQ(ToWholeNumber("0.5"), 0);
    EXPECT_EQ(ToWholeNumber("1.5"), 2);
    EXPECT_EQ(ToWholeNumber("2.50000000000000000001"), 3);
    EXPECT_EQ(ToWholeNumber("2.49999"), 2);
    EXPECT_EQ(ToWholeNumber(".5"), 0);
    EXPECT_EQ(ToWholeNumber(".51"), 1);
    EXPECT_EQ(ToWholeNumber("5."), 5);
    EXPECT_EQ(ToWholeNumber("0.04"), 0);
    EXPECT_EQ(ToWholeNumber("250e-2"), 2);
    EXPECT_EQ(ToWholeNumber("32767.4"), 32767);
}

TEST(ToWholeNumber, NonNumbersAreATypeMismatch) {
    for (const std::string text :
         {"", " ", "Not Found!", "abc", "12a", "1 2", "1,000", "--1", "+-1", "1.2.3", "1e", "1e+",
          "&H", "&HG", "&O8", ".", "+", "- 1", "0x10"})
        EXPECT_EQ(ErrorOf(text), 13) << '"' << text << '"';
    try {
        ToWholeNumber("Not Found!");
    } catch (const platform::RuntimeError& error) {
        EXPECT_EQ(error.Description(), "Type mismatch");
    }
}

TEST(ToWholeNumber, NumbersBeyondSixteenBitsOverflow) {
    for (const std::string text :
         {"32768", "-32769", "32767.5", "-32768.6", "1E10", "1e999999999999",
          "99999999999999999999", "&H10000", "&HFFFFFFFFF"})
        EXPECT_EQ(ErrorOf(text), 6) << text;
    EXPECT_EQ(ToWholeNumber("&HFFFFFFFF"), -1);
    EXPECT_EQ(ToWholeNumber("1e-999999999999"), 0);
    try {
        ToWholeNumber("40000");
    } catch (const platform::RuntimeError& error) {
        EXPECT_EQ(error.Description(), "Overflow");
    }
}

}  // namespace
}  // namespace movrand::test
