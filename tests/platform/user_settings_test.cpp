#include "platform/user_settings.h"

#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "support/scoped_environment.h"
#include "support/temporary_folder.h"

extern char** environ;

namespace platform {
namespace {

using test_support::ReadHostFileOrEmpty;
using test_support::ScopedEnvironmentVariable;
using test_support::TemporaryFolder;
using test_support::WriteHostFile;

// Points the settings file into a temporary folder for the test's duration.
class UserSettingsTest : public ::testing::Test {
  protected:
    TemporaryFolder config;
    ScopedEnvironmentVariable configHome{"XDG_CONFIG_HOME", config.path().string()};

    std::string SettingsFile() const {
        return (config.path() / "tollenwark/user-settings.reg").string();
    }
};

TEST_F(UserSettingsTest, WritesAtOnceAndReadsBackWithDefaultsForTheRest) {
    EXPECT_EQ(UserSettingsFilePath(), SettingsFile());
    EXPECT_EQ(ReadUserSetting("Tollenwark", "Settings", "Language", "English"), "English");
    EXPECT_FALSE(std::filesystem::exists(SettingsFile())) << "reading makes nothing";

    ASSERT_TRUE(WriteUserSetting("Tollenwark", "Settings", "Language", "Fran\u00e7ais"));
    ASSERT_TRUE(WriteUserSetting("Tollenwark", "OptionAndSettings", "chkScanCookies", "1"));
    ASSERT_TRUE(WriteUserSetting("Tollenwark", "Drives", "E:\\", ""));
    EXPECT_EQ(ReadHostFileOrEmpty(SettingsFile()).rfind("WINE REGISTRY Version 2\n", 0), 0u);

    EXPECT_EQ(ReadUserSetting("Tollenwark", "settings", "LANGUAGE", "English"), "Fran\u00e7ais");
    EXPECT_EQ(ReadUserSetting("Tollenwark", "OptionAndSettings", "chkScanCookies", "0"), "1");
    EXPECT_EQ(ReadUserSetting("Tollenwark", "Drives", "E:\\", "x"), "") << "empty is a value";
    EXPECT_EQ(ReadUserSetting("Other", "Settings", "Language", "none"), "none");
}

TEST_F(UserSettingsTest, ValuesThatAreNotTextReadAsTheDefault) {
    std::filesystem::create_directories(config.path() / "tollenwark");
    WriteHostFile(
        SettingsFile(),
        "WINE REGISTRY Version 2\n\n[Tollenwark\\\\Settings] 1\n\"Number\"=dword:00000001\n"
        "\"Text\"=\"kept\"\n");
    EXPECT_EQ(ReadUserSetting("Tollenwark", "Settings", "Number", "default"), "default");
    EXPECT_EQ(ReadUserSetting("Tollenwark", "Settings", "Text", "default"), "kept");
}

TEST_F(UserSettingsTest, AFileThatMayNotBeWrittenIsLeftAsItWas) {
    ASSERT_TRUE(WriteUserSetting("Tollenwark", "Settings", "A", "1"));
    const std::string before = ReadHostFileOrEmpty(SettingsFile());
    ::chmod(SettingsFile().c_str(), 0444);
    EXPECT_FALSE(WriteUserSetting("Tollenwark", "Settings", "A", "2"));
    EXPECT_EQ(ReadHostFileOrEmpty(SettingsFile()), before);
    EXPECT_EQ(ReadUserSetting("Tollenwark", "Settings", "A", ""), "1");
}

TEST_F(UserSettingsTest, TheFileFollowsTheEnvironmentAtEveryCall) {
    ASSERT_TRUE(WriteUserSetting("Tollenwark", "Settings", "Where", "first"));
    TemporaryFolder home;
    {
        ScopedEnvironmentVariable noConfigHome("XDG_CONFIG_HOME", std::nullopt);
        ScopedEnvironmentVariable otherHome("HOME", home.path().string());
        const auto file = home.path() / ".config/tollenwark/user-settings.reg";
        EXPECT_EQ(UserSettingsFilePath(), file.string());
        EXPECT_EQ(ReadUserSetting("Tollenwark", "Settings", "Where", "none"), "none");
        EXPECT_TRUE(WriteUserSetting("Tollenwark", "Settings", "Where", "second"));
        EXPECT_TRUE(std::filesystem::exists(file));
    }
    EXPECT_EQ(ReadUserSetting("Tollenwark", "Settings", "Where", "none"), "first");
}

// Run by the next test in a new process of this program, whose test run has a settings folder of
// its own: reads a setting from the parent's folder and writes what it read to the file named.
TEST(UserSettingsChildProcess, DISABLED_ReadsASetting) {
    const char* configHome = std::getenv("TOLLENWARK_TEST_PARENT_CONFIG_HOME");
    const char* answer = std::getenv("TOLLENWARK_TEST_ANSWER_FILE");
    ASSERT_TRUE(configHome && answer);
    ScopedEnvironmentVariable parentsConfig("XDG_CONFIG_HOME", configHome);
    WriteHostFile(answer, ReadUserSetting("Tollenwark", "Settings", "Shared", "<default>"));
}

TEST_F(UserSettingsTest, AValueWrittenByOneProcessIsReadByANewOne) {
    ASSERT_TRUE(WriteUserSetting("Tollenwark", "Settings", "Shared", "from the parent"));
    const std::string answer = (config.path() / "answer.txt").string();
    ScopedEnvironmentVariable answerFile("TOLLENWARK_TEST_ANSWER_FILE", answer);
    ScopedEnvironmentVariable parentsConfig("TOLLENWARK_TEST_PARENT_CONFIG_HOME",
                                            config.path().string());
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    std::string filter = "--gtest_filter=UserSettingsChildProcess.DISABLED_ReadsASetting";
    std::string alsoDisabled = "--gtest_also_run_disabled_tests";
    char* arguments[] = {const_cast<char*>(self.c_str()), filter.data(), alsoDisabled.data(),
                         nullptr};
    pid_t child = 0;
    ASSERT_EQ(::posix_spawn(&child, self.c_str(), nullptr, nullptr, arguments, environ), 0);
    int status = 0;
    ::waitpid(child, &status, 0);

    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(ReadHostFileOrEmpty(answer), "from the parent");
}

}  // namespace
}  // namespace platform
