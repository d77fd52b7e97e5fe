#include <gtest/gtest.h>

#include "roster/ComboKeys.h"

namespace movrand::test {
namespace {

const std::vector<std::string> kNames = {"Bruce McLaren", "Émile Zola", "Jack Brabham",
                                         "Jo Bonnier"};

std::vector<std::string> CarNumberEntries() {
    std::vector<std::string> entries;
    for (int i = 1; i <= 99; ++i) entries.push_back(std::to_string(i));
    return entries;
}

// "select <index> <text> [<start>,<length>]" or "none"; "+consumed": the box ignores the key.
std::string Shown(const ComboKeyResult& r) {
    std::string shown = r.Select ? "select " + std::to_string(r.ListIndex) + " " + r.Text + " [" +
                                       std::to_string(r.SelStart) + "," +
                                       std::to_string(r.SelLength) + "]"
                                 : "none";
    return r.Consumed ? shown + " +consumed" : shown;
}

// (Made by a call: g++ 12 at -O3 warns falsely about such states written inside the array.)
ComboState State(const char* text, int selStart, int selLength, int listIndex) {
    ComboState state;
    state.Text = text;
    state.SelStart = selStart;
    state.SelLength = selLength;
    state.ListIndex = listIndex;
    return state;
}

TEST(ComboKeyPress, TypeAheadSearchesFromTheTextBeforeTheSelectionWithoutRegardToCase) {
    const auto numbers = CarNumberEntries();
    struct Case {
        const std::vector<std::string>* Entries;
        ComboState Box;
        std::string Typed;
        std::string Result;
    };
    // Positions count characters, not bytes.
    const Case cases[] = {
        {&numbers, State("5", 1, 0, 4), "1", "select 50 51 [2,0] +consumed"},
        {&numbers, State("5", 0, 1, 4), "1", "select 0 1 [1,0] +consumed"},
        {&numbers, State("12", 1, 1, 11), "9", "select 18 19 [2,0] +consumed"},
        {&kNames, State("", 0, 0, -1), "j", "select 2 Jack Brabham [1,11] +consumed"},
        {&kNames, State("Jack Brabham", 1, 11, 2), "O", "select 3 Jo Bonnier [2,8] +consumed"},
        {&kNames, State("", 0, 0, -1), "é", "select 1 Émile Zola [1,9] +consumed"},
        // No entry begins with the search text: nothing changes, the key is still swallowed.
        {&numbers, State("5", 0, 1, 4), "a", "none +consumed"},
        {&numbers, State("99", 2, 0, 98), "9", "none +consumed"},
        {&numbers, State("1", 0, 1, 0), "\b", "none +consumed"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Shown(ComboKeyPress(*c.Entries, c.Box, c.Typed)), c.Result)
            << c.Box.Text << " + " << c.Typed;
}

TEST(ComboKeyDown, F2BackspaceAndLeftSelectTheFirstEntry) {
    const auto numbers = CarNumberEntries();
    for (int key : {kKeyF2, kKeyBackspace, kKeyLeft})
        EXPECT_EQ(Shown(ComboKeyDown(numbers, key)), "select 0 1 [0,1]") << key;
    for (int key : {39, 46, 13}) EXPECT_EQ(Shown(ComboKeyDown(numbers, key)), "none") << key;
    EXPECT_EQ(Shown(ComboKeyDown({}, kKeyBackspace)), "none");
}

}  // namespace
}  // namespace movrand::test
