#include "platform/prefix.h"

#include <gtest/gtest.h>

#include "platform/file_errors.h"
#include "platform/fresh_prefix.h"
#include "support/scoped_environment.h"
#include "support/temporary_folder.h"

namespace fs = std::filesystem;
using namespace platform;
using test_support::ReadHostFileOrEmpty;
using test_support::ScopedEnvironmentVariable;
using test_support::TemporaryFolder;

namespace {

TEST(Prefix, TheTestRunNeverSeesTheRealAccount) {
    EXPECT_NE(HomeFolder(), HomeFolder().root_path() / "root");
    EXPECT_NE(std::getenv("WINEPREFIX"), nullptr);
    EXPECT_EQ(PrefixFromEnvironment().root(), fs::path(std::getenv("WINEPREFIX")));
    EXPECT_TRUE(fs::is_directory(PrefixFromEnvironment().driveC() / "windows"));
}

TEST(Prefix, IsChosenFromWinePrefixThenDotWineThenOurOwn) {
    TemporaryFolder home;
    ScopedEnvironmentVariable homeVariable("HOME", home.path().string());
    ScopedEnvironmentVariable dataVariable("XDG_DATA_HOME", (home.path() / "data").string());
    ScopedEnvironmentVariable winePrefix("WINEPREFIX", "/srv/wine/office");
    EXPECT_EQ(PrefixFromEnvironment().root(), fs::path("/srv/wine/office"));

    test_support::SetEnvironmentVariable("WINEPREFIX", std::nullopt);
    const Prefix own = PrefixFromEnvironment();
    EXPECT_EQ(own.root(), home.path() / "data/tollenwark/prefix");
    EXPECT_EQ(fs::read_symlink(own.dosdevices() / "c:"), fs::path("../drive_c"));
    EXPECT_EQ(fs::read_symlink(own.dosdevices() / "z:"), fs::path("/"));
    EXPECT_TRUE(fs::is_directory(own.driveC() / "users" / HostUserName() / "Desktop"));
    EXPECT_TRUE(fs::is_directory(own.driveC() / "Program Files/Common Files"));

    fs::create_directories(home.path() / ".wine");
    EXPECT_EQ(PrefixFromEnvironment().root(), home.path() / ".wine");
}

TEST(Prefix, LayingDownAgainKeepsWhatIsThere) {
    TemporaryFolder folder;
    ASSERT_EQ(LayDownFreshPrefix(folder.path(), "anna"), ERROR_SUCCESS);
    test_support::WriteHostFile(folder.path() / "user.reg", "changed by Wine");
    fs::remove(folder.path() / "system.reg");
    ASSERT_EQ(LayDownFreshPrefix(folder.path(), "anna"), ERROR_SUCCESS);
    EXPECT_EQ(ReadHostFileOrEmpty(folder.path() / "user.reg"), "changed by Wine");
    EXPECT_NE(ReadHostFileOrEmpty(folder.path() / "system.reg").find("\"CurrentVersion\"=\"6.1\""),
              std::string::npos);
}

TEST(Prefix, FreshHivesAreWrittenInWinesFormat) {
    const FreshHives hives = FreshHiveTexts("Zoë", 1700000000);
    EXPECT_EQ(hives.user.rfind("WINE REGISTRY Version 2\n;; All keys relative to "
                               "REGISTRY\\\\User\\\\S-1-5-21-0-0-0-1000\n",
                               0),
              0u);
    for (const char* line :
         {"[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Explorer\\\\User Shell Folders] "
          "1700000000\n#time=1da1747c66d0000\n",
          "\"AppData\"=str(2):\"%USERPROFILE%\\\\AppData\\\\Roaming\"\n",
          "\"AppData\"=\"C:\\\\users\\\\Zo\\x00eb\\\\AppData\\\\Roaming\"\n"}) {
        EXPECT_NE(hives.user.find(line), std::string::npos) << line;
    }
    EXPECT_NE(hives.system.find("[Software\\\\Wine\\\\Drives] 1700000000"), std::string::npos);
    EXPECT_NE(hives.system.find("\"Common AppData\"=\"C:\\\\ProgramData\"\n"), std::string::npos);
    EXPECT_NE(hives.userDefault.find("\"Personal\"=str(2):\"%USERPROFILE%\\\\Documents\"\n"),
              std::string::npos);
}

}  // namespace
