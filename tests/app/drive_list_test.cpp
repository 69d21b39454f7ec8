// The drive list of the scan options: which drives it shows and how their ticks are kept.
#include <gtest/gtest.h>

#include "foundation/globals.h"
#include "foundation/settings_store.h"
#include "options_fixture.h"
#include "support/temporary_folder.h"

namespace {

class DriveList : public OptionsTest {
  protected:
    // Links a drive to a folder (made when ready) and stores its type as Wine names it.
    void AddDrive(char letter, const char* wineType, bool ready) {
        const auto folder = drives.path() / std::string(1, letter);
        if (ready) {
            std::filesystem::create_directories(folder);
        }
        machine.prefix().LinkDrive(letter, folder);
        WriteRegistryFromOutside(platform::HKEY_LOCAL_MACHINE, "Software\\Wine\\Drives",
                                 std::string{static_cast<char>(letter - 'A' + 'a'), ':'},
                                 platform::RegValue::String(wineType));
    }

    test_support::TemporaryFolder drives{"tollenwark-drives"};
};

TEST_F(DriveList, ShowsRemovableNetworkAndCdDrivesAlwaysAndFixedDisksWhenReady) {
    AddDrive('A', "floppy", false);
    AddDrive('E', "hd", true);
    AddDrive('F', "cdrom", false);
    AddDrive('G', "hd", false);
    AddDrive('N', "network", false);
    AddDrive('R', "ramdisk", true);
    AddDrive('U', "tape", true);
    Main().ListDrives();
    // C: and Z: come with every prefix, as fixed disks that are ready.
    EXPECT_EQ(RowTexts(Main().lvwHardDrives),
              (std::vector<std::string>{"A", "C", "E", "F", "N", "Z"}));
}

TEST_F(DriveList, ATickStoresEveryListedDriveAndTheLoaderBringsThemBack) {
    AddDrive('E', "hd", true);
    SaveSetting(gProgramName, "Drives", "Q", "True");  // a drive no longer there
    SaveSetting(gProgramName, "Drives", "E", "False");
    FrmMainForm& main = Main();
    main.ListDrives();
    main.LoadSettingsIntoControls();
    // No stored tick: ticked.
    EXPECT_TRUE(main.lvwHardDrives.ListItems(1).Checked());
    EXPECT_FALSE(main.lvwHardDrives.ListItems(2).Checked());

    main.lvwHardDrives.UserSetChecked(3, false);
    EXPECT_EQ(Stored("Drives", "C"), "True");
    EXPECT_EQ(Stored("Drives", "E"), "False");
    EXPECT_EQ(Stored("Drives", "Z"), "False");
    EXPECT_EQ(Stored("Drives", "Q"), "True");
}

}  // namespace
