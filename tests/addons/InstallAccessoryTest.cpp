#include <gtest/gtest.h>

#include "AddOnFixture.h"
#include "addons/InstallAddOnFiles.h"
#include "addons/InstalledItems.h"

namespace movrand::test {
namespace {

TEST(InstallAccessory, OverTheProgramsCarRecordsFilesAgainstTheStandardCar) {
    AddOnDrive drive;
    ASSERT_EQ(drive.Install(kClassic, "Ferrari 312"), InstallOutcome::Installed);
    ASSERT_EQ(drive.Install(kClassic, "Red Wheels"), InstallOutcome::Installed)
        << drive.Ui.Transcript();

    // fer9.mip is also a file of the car entry; wheels.mip is not.
    EXPECT_EQ(drive.Read(Ferrari("zorvexacc_Red Wheels.zorvex")),
              "[standardfile]\r\n"
              "standard = C:\\addons\\Ferrari 312 Classic\\ferrari 312\r\n"
              "\r\n"
              "[accessories]\r\n"
              "file1 = fer9.mip\r\n"
              "fer9.mip = replaced existing\r\n"
              "file2 = wheels.mip\r\n"
              "wheels.mip = just added\r\n");
    EXPECT_EQ(drive.Read(Ferrari("fer9.mip")),
              drive.EntryBytes(kClassic, "Red Wheels", "fer9.mip"));
    EXPECT_EQ(drive.Read(Ferrari("wheels.mip")),
              drive.EntryBytes(kClassic, "Red Wheels", "wheels.mip"));
    EXPECT_EQ(drive.Read(Ferrari("zorvexjpg_Red Wheels.jpg")),
              drive.EntryBytes(kClassic, "Red Wheels", "zorvex.jpg"));
    EXPECT_EQ(drive.Read(Ferrari("zorvexdesc_Red Wheels.zorvex")),
              drive.Read(std::string(kClassic) + "\\zorvexferrari2.zorvex"));
    EXPECT_FALSE(drive.Exists(Ferrari("zorvexbmp_Red Wheels.bmp")));
    EXPECT_FALSE(drive.Exists(Ferrari("zorvex.jpg")));
    EXPECT_FALSE(drive.Exists("C:\\sierra\\gpl\\cars\\replacedaccessories"));
    EXPECT_EQ(drive.Ui.Messages.back().Text, "The new accessory files have been added.");

    // Installing it again gives the same result as once.
    const Files once = drive.Snapshot(kFerrari);
    ASSERT_EQ(drive.Install(kClassic, "Red Wheels"), InstallOutcome::Installed);
    EXPECT_EQ(drive.Snapshot(kFerrari), once);
}

TEST(InstallAccessory, WithoutACarOfItsOwnEveryFileIsJustAdded) {
    AddOnDrive drive;
    ASSERT_EQ(drive.Install(kClassic, "Ferrari 312"), InstallOutcome::Installed);
    // Entry pictures are neither recorded nor counted, wherever they stand in the listing.
    const std::string folder = drive.MakeOneEntry(
        "Decals", "Ferrari", "Decals", "Accessory",
        {{"a.mip", "a"}, {"ZORVEX.BMP", "bmp bytes"}, {"fer9.mip", "decal 9"}}, "Decals.\r\n");
    drive.Ui.Messages.clear();
    ASSERT_EQ(drive.Install(folder, "Decals"), InstallOutcome::Installed) << drive.Ui.Transcript();
    EXPECT_EQ(
        drive.Read(Ferrari("zorvexacc_Decals.zorvex")),
        "[standardfile]\r\nstandard = \r\n\r\n[accessories]\r\n"
        "file1 = a.mip\r\na.mip = just added\r\nfile2 = fer9.mip\r\nfer9.mip = just added\r\n");
    EXPECT_EQ(drive.Read(Ferrari("zorvexbmp_Decals.bmp")), "bmp bytes");
    EXPECT_FALSE(drive.Exists(Ferrari("ZORVEX.BMP")));
    EXPECT_EQ(drive.Read(Ferrari("zorvexdesc_Decals.zorvex")), "Decals.\r\n");
}

TEST(InstallAccessory, ForACarThatIsNotThereIsRefused) {
    AddOnDrive drive;
    const Files before = drive.Snapshot("C:\\");
    EXPECT_EQ(drive.Install(kClassic, "Red Wheels"), InstallOutcome::Refused);
    EXPECT_EQ(drive.Snapshot("C:\\"), before);
    ASSERT_EQ(drive.Ui.Messages.size(), 1u);
    EXPECT_EQ(
        drive.Ui.Messages[0].Text,
        "The Accessories cannot be added as they are to be used with a complete car that is not in the GPL Car Folder.");
    EXPECT_EQ(drive.Ui.Messages[0].Width, 4500);
    EXPECT_EQ(drive.Ui.Messages[0].Height, 2000);
}

TEST(InstallAccessory, OverTheGamesCarBacksUpWhatItOverwrites) {
    AddOnDrive drive;
    const std::string original9 = drive.Read(Ferrari("fer9.mip"));
    const std::string folder = drive.MakeOneEntry(
        "Liveries", "ferrari", "Blue Livery", "accessory",
        {{"fer9.mip", "blue 9"}, {"fer99.mip", "blue 99"}}, "Blue.\r\n", true, false);
    ASSERT_EQ(drive.Install(folder, "Blue Livery"), InstallOutcome::Installed)
        << drive.Ui.Transcript();
    EXPECT_EQ(drive.Read(Ferrari("zorvexacc_Blue Livery.zorvex")),
              "[standardfile]\r\n"
              "standard = C:\\sierra\\gpl\\cars\\replacedaccessories\\ferrari5122026749\\\r\n"
              "\r\n"
              "[accessories]\r\n"
              "file1 = fer9.mip\r\nfer9.mip = replaced existing\r\n"
              "file2 = fer99.mip\r\nfer99.mip = just added\r\n");
    EXPECT_EQ(drive.Snapshot("C:\\sierra\\gpl\\cars\\replacedaccessories\\ferrari5122026749"),
              (Files{{"fer9.mip", original9}}));
    EXPECT_EQ(drive.Read(Ferrari("fer9.mip")), "blue 9");
    EXPECT_EQ(drive.Read(Ferrari("zorvexdesc_Blue Livery.zorvex")), "Blue.\r\n");

    // With nothing replaced the record is the file list alone, and no backup folder is made.
    const std::string extras = drive.MakeOneEntry("Extras", "ferrari", "Extras", "accessory",
                                                  {{"new1.mip", "1"}, {"new2.mip", "2"}}, "\r\n");
    ASSERT_EQ(drive.Install(extras, "Extras"), InstallOutcome::Installed);
    EXPECT_EQ(
        drive.Read(Ferrari("zorvexacc_Extras.zorvex")),
        "[accessories]\r\nfile1 = new1.mip\r\nnew1.mip = just added\r\nfile2 = new2.mip\r\nnew2.mip = just added\r\n");
    EXPECT_EQ(drive.Pv.Files().FolderNames("C:\\sierra\\gpl\\cars\\replacedaccessories"),
              std::vector<std::string>{kStamp});
}

TEST(InstallAccessory, ChosenTeamNamesTheFolderAndTheDescription) {
    AddOnDrive drive;
    drive.Ui.Teams = {"Honda"};
    ASSERT_EQ(drive.Install(kHelmets, "Helmet Pack"), InstallOutcome::Installed);
    const std::string honda = drive.TeamFolder("murasama");
    EXPECT_EQ(drive.Read(honda + "\\helmet1.mip"), "helmet one\r\n");
    EXPECT_EQ(drive.Read(honda + "\\zorvexdesc_Helmet Pack.zorvex"),
              drive.Read(std::string(kHelmets) + "\\zorvexmurasama1.zorvex"));
    EXPECT_EQ(drive.Read(honda + "\\zorvexbmp_Helmet Pack.bmp"),
              drive.EntryBytes(kHelmets, "Helmet Pack", "zorvex.bmp"));
    // Listed under Honda, from the game's murasama folder.
    const InstalledItemsView view = ListInstalledItems(drive.Pv, drive.Ui, 5);
    EXPECT_EQ(view.TeamPictureId, 111);
    EXPECT_EQ(view.Items, std::vector<std::string>{"Helmet Pack"});
}

}  // namespace
}  // namespace movrand::test
