// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "RosterText.h"
#include "TempDrive.h"
#include "roster/DriverList.h"
#include "roster/ListText.h"

namespace movrand::test {
namespace {

TEST(LoadDriverList, ListsNineteenDriversSortedAsTheBoxSorts) {
    TempDrive drive;
    // A missing driver still gives an entry; an apostrophe weighs nothing until all else is
    // equal, accents order after their letter and case alone does not order.
    std::vector<RosterDriver> drivers(4, RosterDriver{"Zed", "Driver", "12", "0", "1"});
    drivers[0] = {"Bob", "O'Brien", "12", "0", "3"};
    drivers[1] = {"bob", "Oates", "12", "0", "4"};
    drivers[2].First = kAbsent;
    drivers[3] = {"\xC9mile", "Zola", "12", "0", "4"};  // Windows-1252 on disk
    UseRoster(drive, drivers, RosterDriver{"Emile", "Zola", "12", "0", "1"});
    const DriverListView view = LoadDriverList(drive.Pv, drive.Ui);
    EXPECT_TRUE(view.Ok && view.SelectedIndex == 0);
    ASSERT_EQ(view.Entries.size(), 19u);
    EXPECT_EQ(view.Entries[0].Text + "," + view.Entries[1].Text + "," + view.Entries[2].Text,
              "bob Oates,Bob O'Brien,Emile Zola");
    EXPECT_EQ(view.Entries[17].Text, "Émile Zola");
    EXPECT_EQ(view.Entries[18].Text + std::to_string(view.Entries[18].ItemData),
              "Not Found! Not Found!3");
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
    const std::string expected[] = {"0|  |  Lotus Driver |3", "112| Argentinian ||07",
                                    "124| British | British Honda Driver |5", "-|-|-|-",
                                    "124| British |-|-"};
    for (int n = 1; n <= 5; ++n) {
        const DriverView v = ShowDriver(drive.Pv, drive.Ui, n);
        const std::string shown =
            (v.FlagApplied ? std::to_string(v.FlagId) + "|" + v.FlagTooltip : "-|-") + "|" +
            (v.ListTooltipApplied ? v.ListTooltip : "-") + "|" +
            (v.CarNumberApplied ? v.CarNumber : "-");
        EXPECT_EQ(shown, expected[n - 1]) << n;
        EXPECT_EQ(v.Ok, n <= 3) << n;
    }
    EXPECT_EQ(drive.Ui.Transcript(),
              "trap: Movrand: 13\r\nType mismatch\ntrap: Movrand: 13\r\nType mismatch\n");
    EXPECT_EQ(drive.Ui.Traps[0].Icon, platform::MessageIcon::Information);
}

}  // namespace
}  // namespace movrand::test
