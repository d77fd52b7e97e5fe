#include <gtest/gtest.h>

#include "roster/NationalityTable.h"
#include "roster/TeamTable.h"

namespace movrand::test {
namespace {

TEST(TeamTable, FolderNamesAndDisplayNamesMapToTeamNumbers) {
    for (const std::string name : {"coventry", "Coventry", "COOPER", "cooper"})
        EXPECT_EQ(TeamNumberOfFolder(name), 2) << name;
    EXPECT_EQ(TeamNumberOfFolder("MURASAMA"), 6);
    EXPECT_EQ(TeamNumberOfFolder("Honda"), 6);
    EXPECT_EQ(TeamNumberOfFolder("Lotus"), 5);
    EXPECT_EQ(TeamNumberOfFolder("coventry "), -1);
    EXPECT_EQ(TeamNumberOfFolder("williams"), -1);
    EXPECT_EQ(TeamNumberOfFolder("not found!"), -1);

    const Team* honda = TeamByNumber(6);
    ASSERT_NE(honda, nullptr);
    EXPECT_EQ(honda->Folder, "murasama");
    EXPECT_EQ(honda->Prefix, "mur");
    EXPECT_EQ(honda->PictureId, 111);
    EXPECT_EQ(honda->DriverTooltip, " Honda Driver ");
    EXPECT_EQ(TeamByNumber(2)->Folder, "coventry");
    EXPECT_EQ(TeamByNumber(7), nullptr);
    EXPECT_EQ(TeamByNumber(-1), nullptr);

    std::string order;
    for (const Team& team : TeamsInListOrder())
        order += team.DisplayName + "=" + std::to_string(team.Number) + " ";
    EXPECT_EQ(order, "Brabham=0 BRM=1 Cooper=2 Eagle=3 Ferrari=4 Honda=6 Lotus=5 ");
}

TEST(NationalityTable, KeepsTheTextsAsTheyStand) {
    EXPECT_EQ(NationalityByIndex(12)->Adjective, "British");
    EXPECT_EQ(NationalityByIndex(12)->FlagId, 124);
    EXPECT_EQ(NationalityByIndex(19)->Country, "Holland");
    EXPECT_EQ(NationalityByIndex(28)->Adjective, "Venzuelan");
    EXPECT_EQ(NationalityByIndex(29), nullptr);
    EXPECT_EQ(NationalityByIndex(-1), nullptr);
}

}  // namespace
}  // namespace movrand::test
