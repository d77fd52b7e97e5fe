#include <gtest/gtest.h>

#include "RosterText.h"
#include "TempDrive.h"
#include "roster/DriverList.h"
#include "roster/ListText.h"

namespace movrand::test {
namespace {

std::string Listed(const DriverListView& view) {
    std::string listed;
    for (const DriverListEntry& entry : view.Entries)
        listed += entry.Text + "=" + std::to_string(entry.ItemData) + ",";
    return listed;
}

TEST(LoadDriverList, ListsNineteenDriversSortedAsTheBoxSorts) {
    TempDrive drive;
    DriverListView view = LoadDriverList(drive.Pv, drive.Ui);
    EXPECT_TRUE(view.Ok);
    EXPECT_EQ(view.SelectedIndex, 0);
    EXPECT_EQ(Listed(view),
              "Bruce McLaren=8,Chris Amon=9,Chris Irwin=19,Dan Gurney=7,Denny Hulme=2,"
              "Graham Hill=13,Guy Ligier=17,Jack Brabham=1,Jackie Stewart=3,Jacky Ickx=18,"
              "Jim Clark=12,Jo Bonnier=16,Jo Siffert=15,Jochen Rindt=5,John Surtees=14,"
              "Lorenzo Bandini=10,Ludovico Scarfiotti=11,Mike Spence=4,Pedro Rodriguez=6,");

    // A missing driver still gives an entry; an apostrophe weighs nothing until all else is
    // equal, accents order after their letter and case alone does not order.
    std::vector<RosterDriver> drivers(4, RosterDriver{"Zed", "Driver", "12", "0", "1"});
    drivers[0] = {"Bob", "O'Brien", "12", "0", "3"};
    drivers[1] = {"bob", "Oates", "12", "0", "4"};
    drivers[2].First = kAbsent;
    drivers[3] = {"\xC9mile", "Zola", "12", "0", "4"};  // Windows-1252 on disk
    UseRoster(drive, drivers, RosterDriver{"Emile", "Zola", "12", "0", "1"});
    view = LoadDriverList(drive.Pv, drive.Ui);
    ASSERT_EQ(view.Entries.size(), 19u);
    EXPECT_EQ(view.Entries[0].Text + "," + view.Entries[1].Text + "," + view.Entries[2].Text,
              "bob Oates,Bob O'Brien,Emile Zola");
    EXPECT_EQ(view.Entries[17].Text, "Émile Zola");
    EXPECT_EQ(view.Entries[18].Text, "Not Found! Not Found!");
    EXPECT_EQ(view.Entries[18].ItemData, 3);
    EXPECT_TRUE(ListLess("Jo Bonnier", "Jochen Rindt"));
    EXPECT_FALSE(ListLess("ABC", "abc") || ListLess("abc", "ABC"));
}

TEST(ShowDriver, ShowsFlagTooltipsAndNumberOrStopsAtANumberThatIsNone) {
    TempDrive drive;
    UseRoster(drive, {{"Ann", "Lee", "29", "5", "3"},
                      {"Bo", "Ng", "0", "7", "07"},
                      {"Cy", "Ox", " 12 ", "6", "5"},
                      {"Di", "Mo", kAbsent, "5", "3"},
                      {"Ed", "Su", "12", "Lotus", "4"}});
    // Flag, its tooltip, the list's tooltip, the number; "-" = not applied (stopped before).
    const std::string expected[] = {
        "0|  |  Lotus Driver |3",
        "112| Argentinian ||07",
        "124| British | British Honda Driver |5",
        "-|-|-|-",
        "124| British |-|-",
    };
    for (int n = 1; n <= 5; ++n) {
        const DriverView v = ShowDriver(drive.Pv, drive.Ui, n);
        const std::string shown =
            (v.FlagApplied ? std::to_string(v.FlagId) + "|" + v.FlagTooltip : "-|-") + "|" +
            (v.ListTooltipApplied ? v.ListTooltip : "-") + "|" +
            (v.CarNumberApplied ? v.CarNumber : "-");
        EXPECT_EQ(shown, expected[n - 1]) << n;
        EXPECT_EQ(v.Ok, n <= 3) << n;
    }
    ASSERT_EQ(drive.Ui.Traps.size(), 2u);
    EXPECT_EQ(drive.Ui.Traps[0].Text, "13\r\nType mismatch");
    EXPECT_EQ(drive.Ui.Traps[0].Title, "Movrand");
    EXPECT_EQ(drive.Ui.Traps[0].Icon, platform::MessageIcon::Information);
}

TEST(ShowTeamBadge, GivesPictureAndTooltipOfTheTeamOrKeepsTheOldTooltip) {
    TempDrive drive;
    const BadgeView cooper = ShowTeamBadge(drive.Pv, drive.Ui, 2, "", false, " old ");
    EXPECT_EQ(cooper.PictureId, 107);
    EXPECT_EQ(cooper.Tooltip, " Cooper ");
    EXPECT_EQ(ShowTeamBadge(drive.Pv, drive.Ui, 6, "", true).Tooltip, " Honda Driver ");
    const BadgeView none = ShowTeamBadge(drive.Pv, drive.Ui, 7, "", false, " old ");
    EXPECT_EQ(none.PictureId, 0);
    EXPECT_EQ(none.Tooltip, " old ");
    EXPECT_EQ(ShowTeamBadge(drive.Pv, drive.Ui, -1, "x", false, " old ").Tooltip, " x old ");
}

}  // namespace
}  // namespace movrand::test
