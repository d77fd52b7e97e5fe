#include <gtest/gtest.h>

#include "RosterText.h"
#include "TempDrive.h"
#include "roster/DriverList.h"
#include "roster/ListText.h"

namespace movrand::test {
namespace {

TEST(LoadDriverList, ListsTheDemoRosterSortedWithDriverNumbers) {
    TempDrive drive;
    const DriverListView view = LoadDriverList(drive.Pv, drive.Ui);
    EXPECT_TRUE(view.Ok);
    EXPECT_EQ(view.SelectedIndex, 0);
    std::string listed;
    for (const DriverListEntry& entry : view.Entries)
        listed += entry.Text + "=" + std::to_string(entry.ItemData) + ",";
    EXPECT_EQ(listed,
              "Bruce McLaren=8,Chris Amon=9,Chris Irwin=19,Dan Gurney=7,Denny Hulme=2,"
              "Graham Hill=13,Guy Ligier=17,Jack Brabham=1,Jackie Stewart=3,Jacky Ickx=18,"
              "Jim Clark=12,Jo Bonnier=16,Jo Siffert=15,Jochen Rindt=5,John Surtees=14,"
              "Lorenzo Bandini=10,Ludovico Scarfiotti=11,Mike Spence=4,Pedro Rodriguez=6,");
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
    // Accents order after their letter; case alone does not order.
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

TEST(ShowDriver, UnknownNationalityOrTeamGiveBlankTooltipsAndABadNumberIsReported) {
    TempDrive drive;
    UseRoster(drive, {{"Ann", "Lee", "29", "5", "3"},
                      {"Bo", "Ng", "0", "7", "4"},
                      {"Cy", "Ox", " 0 ", "0", "5"},
                      {"Di", "Mo", kAbsent, "5", "3"},
                      {"Ed", "Su", "12", "Lotus", "4"}});
    DriverView lee = ShowDriver(drive.Pv, drive.Ui, 1);
    EXPECT_EQ(lee.FlagId, 0);
    EXPECT_EQ(lee.FlagTooltip, "  ");
    EXPECT_EQ(lee.ListTooltip, "  Lotus Driver ");
    DriverView ng = ShowDriver(drive.Pv, drive.Ui, 2);
    EXPECT_EQ(ng.FlagTooltip, " Argentinian ");
    EXPECT_TRUE(ng.ListTooltipApplied);
    EXPECT_EQ(ng.ListTooltip, "");
    EXPECT_EQ(ShowDriver(drive.Pv, drive.Ui, 3).ListTooltip, " Argentinian Brabham Driver ");
    EXPECT_TRUE(drive.Ui.Traps.empty()) << drive.Ui.Transcript();

    // A number that is no number stops the display where it stands.
    DriverView mo = ShowDriver(drive.Pv, drive.Ui, 4);
    EXPECT_FALSE(mo.Ok);
    EXPECT_FALSE(mo.FlagApplied);
    EXPECT_FALSE(mo.CarNumberApplied);
    ASSERT_EQ(drive.Ui.Traps.size(), 1u);
    EXPECT_EQ(drive.Ui.Traps[0].Text, "13\r\nType mismatch");
    EXPECT_EQ(drive.Ui.Traps[0].Title, "Movrand");
    EXPECT_EQ(drive.Ui.Traps[0].Icon, platform::MessageIcon::Information);

    DriverView su = ShowDriver(drive.Pv, drive.Ui, 5);
    EXPECT_FALSE(su.Ok);
    EXPECT_TRUE(su.FlagApplied);
    EXPECT_EQ(su.FlagId, 124);
    EXPECT_FALSE(su.ListTooltipApplied);
    EXPECT_FALSE(su.CarNumberApplied);
    EXPECT_EQ(drive.Ui.Traps.size(), 2u);
}

TEST(ShowTeamBadge, GivesPictureAndTooltipOfTheTeamOrKeepsTheOldTooltip) {
    TempDrive drive;
    const BadgeView cooper = ShowTeamBadge(drive.Pv, drive.Ui, 2, "", false, " old ");
    EXPECT_EQ(cooper.PictureId, 107);
    EXPECT_EQ(cooper.Tooltip, " Cooper ");
    // A number that is no team keeps the tooltip shown before.
    const BadgeView none = ShowTeamBadge(drive.Pv, drive.Ui, 7, "", false, " old ");
    EXPECT_EQ(none.PictureId, 0);
    EXPECT_EQ(none.Tooltip, " old ");
    EXPECT_EQ(ShowTeamBadge(drive.Pv, drive.Ui, -1, "x", false, " old ").Tooltip, " x old ");
}

}  // namespace
}  // namespace movrand::test
