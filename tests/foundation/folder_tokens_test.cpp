#include "foundation/folder_tokens.h"

#include <gtest/gtest.h>

#include "support/temporary_prefix.h"

namespace fs = std::filesystem;
using test_support::TemporaryMachine;

namespace {

constexpr const char* kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kUserShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

void SetRegText(platform::Machine& machine, platform::RegRoot root, std::string_view key,
                std::string_view name, std::string value) {
    platform::Registry& registry = machine.registry();
    platform::RegHandle handle = 0;
    ASSERT_EQ(registry.CreateKey(root, key, &handle), platform::ERROR_SUCCESS);
    EXPECT_EQ(registry.SetValue(handle, name, platform::RegValue::String(std::move(value))),
              platform::ERROR_SUCCESS);
    registry.CloseKey(handle);
}

class FolderTokensTest : public ::testing::Test {
  protected:
    TemporaryMachine temporary_;
};

TEST_F(FolderTokensTest, EveryTokenExpandsToItsFolder) {
    // The alternate startup folders have no default place; give them one.
    fs::create_directories(temporary_.prefix().DriveC("AltStart"));
    fs::create_directories(temporary_.prefix().DriveC("CommonAltStart"));
    SetRegText(temporary_.machine(), platform::HKEY_CURRENT_USER, kShellFolders, "AltStartup",
               "C:\\AltStart");
    SetRegText(temporary_.machine(), platform::HKEY_LOCAL_MACHINE, kShellFolders,
               "Common AltStartup", "C:\\CommonAltStart");

    const std::string profile = "C:\\users\\tester\\";
    const std::string roaming = profile + "AppData\\Roaming\\";
    const std::string local = profile + "AppData\\Local\\Microsoft\\Windows\\";
    const std::string startMenu = roaming + "Microsoft\\Windows\\Start Menu\\";
    const std::string commonStartMenu = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\";
    const std::pair<const char*, std::string> expected[] = {
        {"[startsp]", "C:\\AltStart\\"},
        {"[appdata]", roaming},
        {"[comstar]", "C:\\CommonAltStart\\"},
        {"[comapp]", "C:\\ProgramData\\"},
        {"[desktop]", "C:\\users\\Public\\Desktop\\"},
        {"[comdocs]", "C:\\users\\Public\\Documents\\"},
        {"[comfav]", "C:\\users\\Public\\Favorites\\"},
        {"[comprog]", commonStartMenu + "Programs\\"},
        {"[comstam]", commonStartMenu},
        {"[comtemp]", "C:\\ProgramData\\Microsoft\\Windows\\Templates\\"},
        {"[cookies]", local + "INetCookies\\"},
        {"[comdesk]", profile + "Desktop\\"},
        {"[favorit]", profile + "Favorites\\"},
        {"[fonts]", "C:\\windows\\Fonts\\"},
        {"[history]", local + "History\\"},
        {"[netcach]", local + "INetCache\\"},
        {"[progs]", startMenu + "Programs\\"},
        {"[progfil]", "C:\\Program Files\\"},
        {"[comprogfil]", "C:\\Program Files\\Common Files\\"},
        {"[personl]", profile + "Documents\\"},
        {"[recent]", roaming + "Microsoft\\Windows\\Recent\\"},
        {"[sendto]", roaming + "Microsoft\\Windows\\SendTo\\"},
        {"[startup]", startMenu + "Programs\\StartUp\\"},
        {"[strtmnu]", startMenu},
        {"[system]", "C:\\windows\\system32\\"},
        {"[templat]", roaming + "Microsoft\\Windows\\Templates\\"},
        {"[windir]", "C:\\windows\\"},
        {"[user]", profile},
        {"[alluser]", "C:\\ProgramData\\"},
    };
    FolderTokenExpander tokens;
    for (const auto& [token, folder] : expected) {
        EXPECT_EQ(tokens.Expand(std::string(token) + "x.exe"), folder + "x.exe") << token;
    }
    // The recycle bin is no folder.
    EXPECT_EQ(tokens.Expand("[recycle]x.exe"), "x.exe");
}

TEST_F(FolderTokensTest, TokensMatchWithoutCaseExceptTheProfileTokens) {
    EXPECT_EQ(ExpandFolderTokens("[WINDIR]system32"), "C:\\windows\\system32");
    EXPECT_EQ(ExpandFolderTokens("[Windir]a;[windir]b"), "C:\\windows\\a;C:\\windows\\b");
    EXPECT_EQ(ExpandFolderTokens("[USER]a"), "[USER]a");
    EXPECT_EQ(ExpandFolderTokens("[user]a"), "C:\\users\\tester\\a");
    EXPECT_EQ(ExpandFolderTokens("[AllUser]a"), "[AllUser]a");
    EXPECT_EQ(ExpandFolderTokens("[drive]a"), "[drive]a");
}

TEST_F(FolderTokensTest, ATokenWhoseFolderIsMissingDisappears) {
    fs::remove_all(temporary_.prefix().DriveC("users/tester/Favorites"));
    EXPECT_EQ(ExpandFolderTokens("[favorit]Links\\x.url"), "Links\\x.url");
    EXPECT_EQ(GetSpecialFolderPath(6), "");
    EXPECT_EQ(GetShellFolderPath(6), "");
    EXPECT_FALSE(fs::exists(temporary_.prefix().DriveC("users/tester/Favorites")));
}

TEST_F(FolderTokensTest, FolderPathsEndInOneSeparatorOrTwoAtADriveRoot) {
    SetRegText(temporary_.machine(), platform::HKEY_CURRENT_USER, kUserShellFolders, "Personal",
               "C:\\");
    EXPECT_EQ(GetSpecialFolderPath(36), "C:\\windows\\");
    EXPECT_EQ(GetShellFolderPath(36), "C:\\windows\\");
    EXPECT_EQ(GetSpecialFolderPath(5), "C:\\\\");
    EXPECT_EQ(GetShellFolderPath(5), "C:\\");
}

TEST_F(FolderTokensTest, TheSystemDriveRootComesFromTheStartMenuElseTheSystemFolder) {
    fs::create_directories(temporary_.prefix().root() / "drive_d/Menu/Programs");
    temporary_.prefix().LinkDrive('d', temporary_.prefix().root() / "drive_d");
    SetRegText(temporary_.machine(), platform::HKEY_CURRENT_USER, kUserShellFolders, "Programs",
               "D:\\Menu\\Programs");
    EXPECT_EQ(GetSystemDriveRoot(), "D:\\");

    // Without a start menu the token would vanish and leave a relative path.
    fs::remove_all(temporary_.prefix().root() / "drive_d/Menu");
    EXPECT_EQ(GetSystemDriveRoot(), "C:\\");
    EXPECT_EQ(FolderTokenExpander().SystemDriveRoot(), "C:\\");
}

}  // namespace
