#include <gtest/gtest.h>

#include "RosterText.h"
#include "TempDrive.h"
#include "roster/DriverList.h"
#include "roster/ListText.h"

namespace movrand::test {
namespace {

void UseRoster(TempDrive& drive, const std::vector<RosterDriver>& drivers) {
    drive.Write(drive.Pv.DriverIniFile, RosterText(drivers));
    drive.MakeWorkingCopy();
}

TEST(LoadDriverList, ListsTheDemoRosterSortedWithDriverNumbers) {
    TempDrive drive;
    const DriverListView view = LoadDriverList(drive.Pv, drive.Ui);
    EXPECT_TRUE(view.Ok);
    EXPECT_EQ(view.SelectedIndex, 0);
    const std::vector<std::pair<std::string, int>> expected = {
        {"Bruce McLaren", 8},    {"Chris Amon", 9},           {"Chris Irwin", 19},
        {"Dan Gurney", 7},       {"Denny Hulme", 2},          {"Graham Hill", 13},
        {"Guy Ligier", 17},      {"Jack Brabham", 1},         {"Jackie Stewart", 3},
        {"Jacky Ickx", 18},      {"Jim Clark", 12},           {"Jo Bonnier", 16},
        {"Jo Siffert", 15},      {"Jochen Rindt", 5},         {"John Surtees", 14},
        {"Lorenzo Bandini", 10}, {"Ludovico Scarfiotti", 11}, {"Mike Spence", 4},
        {"Pedro Rodriguez", 6}};
    ASSERT_EQ(view.Entries.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(view.Entries[i].Text, expected[i].first) << i;
        EXPECT_EQ(view.Entries[i].ItemData, expected[i].second) << i;
    }
    EXPECT_TRUE(drive.Ui.Traps.empty()) << drive.Ui.Transcript();
}

TEST(LoadDriverList, AMissingDriverStillGivesNineteenEntriesAndCaseDoesNotSort) {
    TempDrive drive;
    std::vector<RosterDriver> drivers(19, RosterDriver{"Zed", "Driver", "12", "0", "1"});
    drivers[0] = {"alan", "Zed", "12", "0", "1"};
    drivers[1] = {"Bob", "Ames", "12", "0", "2"};
    drivers[2] = {"Bob", "O'Brien", "12", "0", "3"};
    drivers[3] = {"Bob", "Oates", "12", "0", "4"};
    drivers[4] = {"Bob", "Orr", "12", "0", "5"};
    drivers[6].First = kAbsent;
    UseRoster(drive, drivers);
    const DriverListView view = LoadDriverList(drive.Pv, drive.Ui);
    ASSERT_EQ(view.Entries.size(), 19u);
    EXPECT_EQ(view.Entries[0].Text, "alan Zed");
    EXPECT_EQ(view.Entries[1].Text, "Bob Ames");
    // An apostrophe weighs nothing until all else is equal: O'Brien sorts as OBrien.
    EXPECT_EQ(view.Entries[2].Text, "Bob Oates");
    EXPECT_EQ(view.Entries[3].Text, "Bob O'Brien");
    EXPECT_EQ(view.Entries[4].Text, "Bob Orr");
    EXPECT_EQ(view.Entries[5].Text, "Not Found! Not Found!");
    EXPECT_EQ(view.Entries[5].ItemData, 7);
}

TEST(ListLess, OrdersAccentsAfterTheirLetterAndCaseAlike) {
    EXPECT_TRUE(ListLess("Emile", "Émile"));
    EXPECT_TRUE(ListLess("Émile", "Emilf"));
    EXPECT_TRUE(ListLess("Émile", "Eric"));
    EXPECT_TRUE(ListLess("abc", "ABD"));
    EXPECT_FALSE(ListLess("ABC", "abc"));
    EXPECT_FALSE(ListLess("abc", "ABC"));
    EXPECT_TRUE(ListLess("Jo Bonnier", "Jochen Rindt"));
}

TEST(ShowDriver, ShowsFlagTooltipsAndTheCarNumberAsStored) {
    TempDrive drive;
    DriverView clark = ShowDriver(drive.Pv, drive.Ui, 12);
    EXPECT_TRUE(clark.Ok);
    EXPECT_TRUE(clark.FlagApplied && clark.ListTooltipApplied && clark.CarNumberApplied);
    EXPECT_EQ(clark.FlagId, 124);
    EXPECT_EQ(clark.FlagTooltip, " British ");
    EXPECT_EQ(clark.ListTooltip, " British Lotus Driver ");
    EXPECT_EQ(clark.CarNumber, "12");

    DriverView gurney = ShowDriver(drive.Pv, drive.Ui, 7);
    EXPECT_EQ(gurney.FlagId, 138);
    EXPECT_EQ(gurney.ListTooltip, " American Eagle Driver ");
    EXPECT_EQ(gurney.CarNumber, "07");

    DriverView surtees = ShowDriver(drive.Pv, drive.Ui, 14);
    EXPECT_EQ(surtees.ListTooltip, " British Honda Driver ");
    EXPECT_TRUE(drive.Ui.Traps.empty()) << drive.Ui.Transcript();
}

TEST(ShowDriver, UnknownNationalityAndTeamGiveBlankTooltips) {
    TempDrive drive;
    UseRoster(drive, {{"Ann", "Lee", "29", "5", "3"},
                      {"Bo", "Ng", "0", "7", "4"},
                      {"Cy", "Ox", " 0 ", "0", "5"}});
    DriverView lee = ShowDriver(drive.Pv, drive.Ui, 1);
    EXPECT_EQ(lee.FlagId, 0);
    EXPECT_EQ(lee.FlagTooltip, "  ");
    EXPECT_EQ(lee.ListTooltip, "  Lotus Driver ");
    DriverView ng = ShowDriver(drive.Pv, drive.Ui, 2);
    EXPECT_EQ(ng.FlagTooltip, " Argentinian ");
    EXPECT_TRUE(ng.ListTooltipApplied);
    EXPECT_EQ(ng.ListTooltip, "");
    EXPECT_EQ(ShowDriver(drive.Pv, drive.Ui, 3).ListTooltip, " Argentinian Brabham Driver ");
}

TEST(ShowDriver, ABadNumberIsReportedAndLeavesTheRestAsItWas) {
    TempDrive drive;
    UseRoster(drive, {{"Ann", "Lee", kAbsent, "5", "3"}, {"Bo", "Ng", "12", "Lotus", "4"}});
    DriverView lee = ShowDriver(drive.Pv, drive.Ui, 1);
    EXPECT_FALSE(lee.Ok);
    EXPECT_FALSE(lee.FlagApplied);
    EXPECT_FALSE(lee.CarNumberApplied);
    ASSERT_EQ(drive.Ui.Traps.size(), 1u);
    EXPECT_EQ(drive.Ui.Traps[0].Text, "13\r\nType mismatch");
    EXPECT_EQ(drive.Ui.Traps[0].Title, "Movrand");
    EXPECT_EQ(drive.Ui.Traps[0].Icon, platform::MessageIcon::Information);

    DriverView ng = ShowDriver(drive.Pv, drive.Ui, 2);
    EXPECT_FALSE(ng.Ok);
    EXPECT_TRUE(ng.FlagApplied);
    EXPECT_EQ(ng.FlagId, 124);
    EXPECT_FALSE(ng.ListTooltipApplied);
    EXPECT_FALSE(ng.CarNumberApplied);
    EXPECT_EQ(drive.Ui.Traps.size(), 2u);
}

TEST(GetCountry, GivesFlagAndTextInEitherForm) {
    TempDrive drive;
    const CountryView argentina = GetCountry(drive.Pv, drive.Ui, 0);
    EXPECT_EQ(argentina.FlagId, 112);
    EXPECT_EQ(argentina.Text, "Argentina");
    EXPECT_EQ(GetCountry(drive.Pv, drive.Ui, 0, true, true).Text, " Argentinian ");
    EXPECT_EQ(GetCountry(drive.Pv, drive.Ui, 17, true).Text, "Monocoan");
    EXPECT_EQ(GetCountry(drive.Pv, drive.Ui, 17).Text, "Monoco");
    EXPECT_EQ(GetCountry(drive.Pv, drive.Ui, 21, true).Text, "Portugese");
    EXPECT_EQ(GetCountry(drive.Pv, drive.Ui, 26, false, true).Text, " U.S.A. ");
    const CountryView last = GetCountry(drive.Pv, drive.Ui, 28, true);
    EXPECT_EQ(last.Text, "Venzuelan");
    EXPECT_EQ(last.FlagId, 140);
    for (int outside : {-1, 29}) {
        const CountryView none = GetCountry(drive.Pv, drive.Ui, outside, true, true);
        EXPECT_EQ(none.FlagId, 0);
        EXPECT_EQ(none.Text, "  ");
        EXPECT_EQ(GetCountry(drive.Pv, drive.Ui, outside).Text, "");
    }
}

TEST(ShowTeamBadge, GivesPictureAndTooltipOfTheTeam) {
    TempDrive drive;
    const BadgeView cooper = ShowTeamBadge(drive.Pv, drive.Ui, 2, "", false, " old ");
    EXPECT_EQ(cooper.PictureId, 107);
    EXPECT_EQ(cooper.Tooltip, " Cooper ");
    EXPECT_EQ(ShowTeamBadge(drive.Pv, drive.Ui, 6, "", true).Tooltip, " Honda Driver ");
    EXPECT_EQ(ShowTeamBadge(drive.Pv, drive.Ui, 0, " Argentinian ", true).Tooltip,
              " Argentinian Brabham Driver ");
    const BadgeView none = ShowTeamBadge(drive.Pv, drive.Ui, 7, "", false, " old ");
    EXPECT_EQ(none.PictureId, 0);
    EXPECT_EQ(none.Tooltip, " old ");
    EXPECT_EQ(ShowTeamBadge(drive.Pv, drive.Ui, -1, "x", false, " old ").Tooltip, " x old ");
}

}  // namespace
}  // namespace movrand::test
