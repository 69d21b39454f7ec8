#include "platform/machine.h"

#include <gtest/gtest.h>

#include "support/temporary_prefix.h"

namespace fs = std::filesystem;
using namespace platform;
using test_support::TemporaryMachine;

namespace {

void SetRegText(Registry& registry, RegRoot root, std::string_view key, std::string_view name,
                std::string value, std::uint32_t type = REG_SZ) {
    RegHandle handle = 0;
    ASSERT_EQ(registry.CreateKey(root, key, &handle), ERROR_SUCCESS);
    RegValue stored = RegValue::String(std::move(value));
    stored.type = type;
    EXPECT_EQ(registry.SetValue(handle, name, stored), ERROR_SUCCESS);
    registry.CloseKey(handle);
}

constexpr const char* kUserShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
constexpr const char* kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kNtVersion = "Software\\Microsoft\\Windows NT\\CurrentVersion";

TEST(SpecialFolders, AFreshProfileHasTheNewerLayout) {
    TemporaryMachine temporary;
    const SpecialFolders& folders = temporary.machine().specialFolders();
    EXPECT_EQ(folders.Path(26), "C:\\users\\tester\\AppData\\Roaming");
    EXPECT_EQ(folders.Path(2),
              "C:\\users\\tester\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs");
    EXPECT_EQ(folders.Path(33),
              "C:\\users\\tester\\AppData\\Local\\Microsoft\\Windows\\INetCookies");
    EXPECT_EQ(folders.Path(25), "C:\\users\\Public\\Desktop");
    EXPECT_EQ(folders.Path(35), "C:\\ProgramData");
    EXPECT_EQ(folders.Path(38), "C:\\Program Files");
    EXPECT_EQ(folders.Path(43), "C:\\Program Files\\Common Files");
    EXPECT_EQ(folders.Path(36), "C:\\windows");
    EXPECT_EQ(folders.Path(37), "C:\\windows\\system32");
    EXPECT_EQ(folders.Path(20), "C:\\windows\\Fonts");
    EXPECT_EQ(folders.SystemFolder(), "C:\\windows\\system32");
}

TEST(SpecialFolders, ReadTheRegistryAsWindowsDoes) {
    TemporaryMachine temporary;
    Machine& machine = temporary.machine();
    Registry& registry = machine.registry();
    fs::create_directories(temporary.prefix().DriveC("Profiles/tester/Moved Documents"));
    fs::create_directories(temporary.prefix().DriveC("Shared Desktop"));
    fs::create_directories(temporary.prefix().DriveC("Old Favorites"));
    SetRegText(registry, HKEY_LOCAL_MACHINE,
               "Software\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList\\S-1-5-21-0-0-0-1000",
               "ProfileImagePath", "%SystemDrive%\\Profiles\\tester", REG_EXPAND_SZ);
    SetRegText(registry, HKEY_CURRENT_USER, kUserShellFolders, "Personal",
               "%USERPROFILE%\\Moved Documents", REG_EXPAND_SZ);
    SetRegText(registry, HKEY_CURRENT_USER, kShellFolders, "Personal", "C:\\ignored");
    SetRegText(registry, HKEY_CURRENT_USER, kShellFolders, "Favorites", "C:\\Old Favorites");
    RegHandle userShellFolders = 0;  // without its expandable value the plain one counts
    ASSERT_EQ(registry.CreateKey(HKEY_CURRENT_USER, kUserShellFolders, &userShellFolders),
              ERROR_SUCCESS);
    registry.DeleteValue(userShellFolders, "Favorites");
    registry.CloseKey(userShellFolders);
    SetRegText(registry, HKEY_LOCAL_MACHINE, kUserShellFolders, "Common Desktop",
               "C:\\Shared Desktop");
    SetRegText(registry, HKEY_CURRENT_USER, kShellFolders, "AltStartup", "C:\\windows");

    const SpecialFolders& folders = machine.specialFolders();
    EXPECT_EQ(folders.Path(5), "C:\\Profiles\\tester\\Moved Documents");
    EXPECT_EQ(folders.Path(6), "C:\\Old Favorites");
    EXPECT_EQ(folders.Path(25), "C:\\Shared Desktop");
    EXPECT_EQ(folders.Path(29), "C:\\windows");
}

TEST(SpecialFolders, AreReadFromTheHiveFilesWineWrote) {
    test_support::TemporaryPrefix prefix("anna");
    fs::create_directories(prefix.DriveC("users/anna/My Files"));
    test_support::WriteHostFile(
        prefix.root() / "user.reg",
        "WINE REGISTRY Version 2\n"
        ";; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n\n"
        "#arch=win64\n\n"
        "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Explorer\\\\User "
        "Shell Folders] 1700000000\n"
        "#time=1da1747c66d0000\n"
        "\"Personal\"=str(2):\"%USERPROFILE%\\\\My Files\"\n");
    const auto machine = prefix.OpenMachine();
    EXPECT_EQ(machine->specialFolders().Path(5), "C:\\users\\anna\\My Files");
    EXPECT_EQ(machine->specialFolders().Path(16), "C:\\users\\anna\\Desktop");  // the default
}

TEST(SpecialFolders, AMissingOrVirtualFolderGivesNothing) {
    TemporaryMachine temporary;
    Machine& machine = temporary.machine();
    fs::remove_all(temporary.prefix().DriveC("users/tester/Favorites"));
    SetRegText(machine.registry(), HKEY_CURRENT_USER, kUserShellFolders, "Recent", "D:\\nowhere");
    const SpecialFolders& folders = machine.specialFolders();
    EXPECT_EQ(folders.Path(6), "");
    EXPECT_EQ(folders.Path(8), "");
    EXPECT_FALSE(fs::exists(temporary.prefix().DriveC("users/tester/Favorites")));  // not made
    EXPECT_EQ(folders.Path(10), "");  // the recycle bin
    EXPECT_EQ(folders.Path(29), "");  // no alternate startup folder by default
    EXPECT_EQ(folders.Path(999), "");
}

TEST(Drives, ComeFromTheLinksWithWinesTypes) {
    TemporaryMachine temporary;
    const auto& prefix = temporary.prefix();
    Machine& machine = temporary.machine();
    fs::create_directories(prefix.root() / "disk-e");
    fs::create_directories(prefix.root() / "ram");
    prefix.LinkDrive('a', prefix.root() / "no-floppy");
    prefix.LinkDrive('e', prefix.root() / "disk-e");
    prefix.LinkDrive('f', prefix.root() / "no-disc");
    prefix.LinkDrive('r', prefix.root() / "ram");
    for (const auto& [letter, type] : {std::pair{"a:", "floppy"},
                                       {"F:", "cdrom"},
                                       {"z:", "network"},
                                       {"r:", "ramdisk"},
                                       {"e:", "hd"}}) {
        SetRegText(machine.registry(), HKEY_LOCAL_MACHINE, "Software\\Wine\\Drives", letter, type);
    }

    const auto drives = machine.Drives();
    std::string letters;
    for (const auto& drive : drives) {
        letters += drive.letter;
    }
    ASSERT_EQ(letters, "ACEFRZ");
    EXPECT_EQ(drives[0].type, DriveType::Removable);
    EXPECT_FALSE(drives[0].ready);
    EXPECT_EQ(drives[1].type, DriveType::Fixed);
    EXPECT_TRUE(drives[1].ready);
    EXPECT_EQ(drives[2].type, DriveType::Fixed);
    EXPECT_TRUE(drives[2].ready);
    EXPECT_EQ(drives[3].type, DriveType::CdRom);
    EXPECT_FALSE(drives[3].ready);
    EXPECT_EQ(drives[4].type, DriveType::RamDisk);
    EXPECT_EQ(drives[5].type, DriveType::Network);
    EXPECT_TRUE(drives[5].ready);
    EXPECT_EQ(DriveTypeFromWineName("tape"), DriveType::Unknown);
}

TEST(OsVersion, ComesFromTheRegistryOrTheOverride) {
    TemporaryMachine temporary;
    Machine& machine = temporary.machine();
    Registry& registry = machine.registry();
    EXPECT_EQ(machine.Version(), (OsVersion{VER_PLATFORM_WIN32_NT, 6, 1, 7601}));

    SetRegText(registry, HKEY_LOCAL_MACHINE, kNtVersion, "CurrentVersion", "5.1");
    SetRegText(registry, HKEY_LOCAL_MACHINE, kNtVersion, "CurrentBuildNumber", "2600");
    EXPECT_EQ(machine.Version(), (OsVersion{VER_PLATFORM_WIN32_NT, 5, 1, 2600}));

    machine.OverrideVersion(OsVersion{VER_PLATFORM_WIN32_WINDOWS, 4, 90, 3000});
    EXPECT_EQ(machine.Version().platformId, VER_PLATFORM_WIN32_WINDOWS);
    machine.OverrideVersion(std::nullopt);
    EXPECT_EQ(machine.Version().major, 5);
}

TEST(OsVersion, NewerSystemsAndTheOlderFamilyAreRead) {
    TemporaryMachine temporary;
    Registry& registry = temporary.machine().registry();
    RegHandle key = 0;
    ASSERT_EQ(registry.CreateKey(HKEY_LOCAL_MACHINE, kNtVersion, &key), ERROR_SUCCESS);
    registry.SetValue(key, "CurrentMajorVersionNumber", RegValue::Dword(10));
    registry.SetValue(key, "CurrentMinorVersionNumber", RegValue::Dword(0));
    registry.CloseKey(key);
    EXPECT_EQ(temporary.machine().Version().major, 10);

    registry.DeleteKeyTree(HKEY_LOCAL_MACHINE, kNtVersion);
    SetRegText(registry, HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion",
               "VersionNumber", "4.90.3000");
    EXPECT_EQ(temporary.machine().Version(), (OsVersion{VER_PLATFORM_WIN32_WINDOWS, 4, 90, 3000}));
    EXPECT_FALSE(ParseVersionText("6", VER_PLATFORM_WIN32_NT));
    EXPECT_FALSE(ParseVersionText("six.one", VER_PLATFORM_WIN32_NT));
}

TEST(CurrentMachine, AScopedMachineIsCurrentForItsLifetime) {
    Machine& before = CurrentMachine();
    {
        TemporaryMachine temporary;
        EXPECT_EQ(&CurrentMachine(), &temporary.machine());
        EXPECT_EQ(CurrentMachine().prefix().root(), temporary.prefix().root());
    }
    EXPECT_EQ(&CurrentMachine(), &before);
}

}  // namespace
