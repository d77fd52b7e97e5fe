#include <gtest/gtest.h>

#include "roster/TeamTable.h"

namespace movrand::test {
namespace {

// Folder names of the game and display names of the team list both lead to the team; nothing
// else does, not even a name with a blank left on it.
TEST(TeamTable, FolderNamesAndDisplayNamesMapToTeamNumbers) {
    for (const std::string name : {"coventry", "Coventry", "COOPER", "cooper"})
        EXPECT_EQ(TeamNumberOfFolder(name), 2) << name;
    EXPECT_EQ(TeamNumberOfFolder("MURASAMA"), 6);
    EXPECT_EQ(TeamNumberOfFolder("Honda"), 6);
    EXPECT_EQ(TeamNumberOfFolder("Lotus"), 5);
    for (const std::string name : {"coventry ", "williams", "not found!"})
        EXPECT_EQ(TeamNumberOfFolder(name), -1) << name;
    EXPECT_EQ(TeamByNumber(7), nullptr);
    EXPECT_EQ(TeamByNumber(-1), nullptr);
}

}  // namespace
}  // namespace movrand::test
