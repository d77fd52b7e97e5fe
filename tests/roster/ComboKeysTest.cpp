#include <gtest/gtest.h>

#include "roster/ComboKeys.h"

namespace movrand::test {
namespace {

std::vector<std::string> CarNumberEntries() {
    std::vector<std::string> entries;
    for (int i = 1; i <= 99; ++i) entries.push_back(std::to_string(i));
    return entries;
}

ComboState Applied(const ComboKeyResult& result) {
    return {result.Text, result.SelStart, result.SelLength, result.ListIndex};
}

TEST(ComboKeyPress, TypeAheadInTheCarNumberBox) {
    const auto entries = CarNumberEntries();
    // "5" with nothing selected: typing 1 looks for 51.
    ComboKeyResult r = ComboKeyPress(entries, {"5", 1, 0, 4}, "1");
    ASSERT_TRUE(r.Select);
    EXPECT_EQ(r.ListIndex, 50);
    EXPECT_EQ(r.Text, "51");
    EXPECT_EQ(r.SelStart, 2);
    EXPECT_EQ(r.SelLength, 0);
    EXPECT_TRUE(r.Consumed);

    // The whole text selected: 1 selects entry "1", and 2 next selects 12.
    r = ComboKeyPress(entries, {"5", 0, 1, 4}, "1");
    ASSERT_TRUE(r.Select);
    EXPECT_EQ(r.ListIndex, 0);
    EXPECT_EQ(r.Text, "1");
    r = ComboKeyPress(entries, Applied(r), "2");
    ASSERT_TRUE(r.Select);
    EXPECT_EQ(r.ListIndex, 11);
    EXPECT_EQ(r.Text, "12");

    // Text before a partial selection is kept: "1|2" with "2" selected, typing 9 finds 19.
    r = ComboKeyPress(entries, {"12", 1, 1, 11}, "9");
    EXPECT_EQ(r.ListIndex, 18);
    EXPECT_EQ(r.SelStart, 2);
}

TEST(ComboKeyPress, NoMatchChangesNothingButTheKeyIsStillSwallowed) {
    const auto entries = CarNumberEntries();
    for (const std::string typed : {"a", "\b", " ", "0"}) {
        const ComboKeyResult r = ComboKeyPress(entries, {"5", 0, 1, 4}, typed);
        EXPECT_FALSE(r.Select) << typed;
        EXPECT_TRUE(r.Consumed) << typed;
    }
    // 99 then 9: "999" is no entry.
    EXPECT_FALSE(ComboKeyPress(entries, {"99", 2, 0, 98}, "9").Select);
}

TEST(ComboKeyPress, DriverNamesMatchWithoutRegardToCase) {
    const std::vector<std::string> names = {"Bruce McLaren", "Émile Zola", "Jack Brabham",
                                            "Jo Bonnier"};
    ComboKeyResult r = ComboKeyPress(names, {"", 0, 0, -1}, "j");
    ASSERT_TRUE(r.Select);
    EXPECT_EQ(r.Text, "Jack Brabham");
    EXPECT_EQ(r.SelStart, 1);
    EXPECT_EQ(r.SelLength, 11);
    r = ComboKeyPress(names, Applied(r), "O");
    EXPECT_EQ(r.Text, "Jo Bonnier");
    EXPECT_EQ(r.SelStart, 2);
    EXPECT_EQ(r.SelLength, 8);
    // Positions count characters, not bytes.
    r = ComboKeyPress(names, {"", 0, 0, -1}, "é");
    ASSERT_TRUE(r.Select);
    EXPECT_EQ(r.ListIndex, 1);
    EXPECT_EQ(r.SelStart, 1);
    EXPECT_EQ(r.SelLength, 9);
}

TEST(ComboKeyDown, F2BackspaceAndLeftSelectTheFirstEntry) {
    const auto entries = CarNumberEntries();
    for (int key : {kKeyF2, kKeyBackspace, kKeyLeft}) {
        const ComboKeyResult r = ComboKeyDown(entries, key);
        ASSERT_TRUE(r.Select) << key;
        EXPECT_EQ(r.ListIndex, 0);
        EXPECT_EQ(r.Text, "1");
        EXPECT_EQ(r.SelLength, 1);
    }
    // Backspace's character then reaches the key press rule, which swallows it.
    const ComboKeyResult backspace = ComboKeyPress(entries, {"1", 0, 1, 0}, "\b");
    EXPECT_FALSE(backspace.Select);
    EXPECT_TRUE(backspace.Consumed);
    for (int key : {39, 40, 38, 46, 13}) {
        const ComboKeyResult r = ComboKeyDown(entries, key);
        EXPECT_FALSE(r.Select) << key;
    }
    EXPECT_FALSE(ComboKeyDown({}, kKeyBackspace).Select);
}

}  // namespace
}  // namespace movrand::test
