#include "platform/user_settings.h"

#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "hive_test_files.h"

extern char** environ;

namespace platform {
namespace {

using hive_test::ReadFile;
using hive_test::TemporaryFolder;
using hive_test::WriteFile;

// Points the settings file into a temporary folder for the test's duration.
class UserSettingsTest : public ::testing::Test {
  protected:
    TemporaryFolder config;

    void SetUp() override {
        const char* previous = std::getenv("XDG_CONFIG_HOME");
        previous_ = previous ? std::optional<std::string>(previous) : std::nullopt;
        ::setenv("XDG_CONFIG_HOME", config.Path().c_str(), 1);
    }
    void TearDown() override {
        if (previous_) {
            ::setenv("XDG_CONFIG_HOME", previous_->c_str(), 1);
        } else {
            ::unsetenv("XDG_CONFIG_HOME");
        }
    }

    std::string SettingsFile() const { return config / "tollenwark/user-settings.reg"; }

  private:
    std::optional<std::string> previous_;
};

TEST_F(UserSettingsTest, WritesAtOnceAndReadsBackWithDefaultsForTheRest) {
    EXPECT_EQ(UserSettingsFilePath(), SettingsFile());
    EXPECT_EQ(ReadUserSetting("Tollenwark", "Settings", "Language", "English"), "English");
    EXPECT_FALSE(std::filesystem::exists(SettingsFile())) << "reading makes nothing";

    ASSERT_TRUE(WriteUserSetting("Tollenwark", "Settings", "Language", "Fran\u00e7ais"));
    ASSERT_TRUE(WriteUserSetting("Tollenwark", "OptionAndSettings", "chkScanCookies", "1"));
    ASSERT_TRUE(WriteUserSetting("Tollenwark", "Drives", "E:\\", ""));
    EXPECT_EQ(ReadFile(SettingsFile()).rfind("WINE REGISTRY Version 2\n", 0), 0u);

    EXPECT_EQ(ReadUserSetting("Tollenwark", "settings", "LANGUAGE", "English"), "Fran\u00e7ais");
    EXPECT_EQ(ReadUserSetting("Tollenwark", "OptionAndSettings", "chkScanCookies", "0"), "1");
    EXPECT_EQ(ReadUserSetting("Tollenwark", "Drives", "E:\\", "x"), "") << "empty is a value";
    EXPECT_EQ(ReadUserSetting("Other", "Settings", "Language", "none"), "none");
}

TEST_F(UserSettingsTest, ValuesThatAreNotTextReadAsTheDefault) {
    std::filesystem::create_directories(config / "tollenwark");
    WriteFile(SettingsFile(),
              "WINE REGISTRY Version 2\n\n[Tollenwark\\\\Settings] 1\n\"Number\"=dword:00000001\n"
              "\"Text\"=\"kept\"\n");
    EXPECT_EQ(ReadUserSetting("Tollenwark", "Settings", "Number", "default"), "default");
    EXPECT_EQ(ReadUserSetting("Tollenwark", "Settings", "Text", "default"), "kept");
}

TEST_F(UserSettingsTest, AFileThatMayNotBeWrittenIsLeftAsItWas) {
    ASSERT_TRUE(WriteUserSetting("Tollenwark", "Settings", "A", "1"));
    const std::string before = ReadFile(SettingsFile());
    ::chmod(SettingsFile().c_str(), 0444);
    EXPECT_FALSE(WriteUserSetting("Tollenwark", "Settings", "A", "2"));
    EXPECT_EQ(ReadFile(SettingsFile()), before);
    EXPECT_EQ(ReadUserSetting("Tollenwark", "Settings", "A", ""), "1");
}

TEST_F(UserSettingsTest, TheFileFollowsTheEnvironmentAtEveryCall) {
    ASSERT_TRUE(WriteUserSetting("Tollenwark", "Settings", "Where", "first"));
    TemporaryFolder home;
    ::unsetenv("XDG_CONFIG_HOME");
    const char* previousHome = std::getenv("HOME");
    const std::string savedHome = previousHome ? previousHome : "";
    ::setenv("HOME", home.Path().c_str(), 1);

    EXPECT_EQ(UserSettingsFilePath(), home / ".config/tollenwark/user-settings.reg");
    EXPECT_EQ(ReadUserSetting("Tollenwark", "Settings", "Where", "none"), "none");
    EXPECT_TRUE(WriteUserSetting("Tollenwark", "Settings", "Where", "second"));
    EXPECT_TRUE(std::filesystem::exists(home / ".config/tollenwark/user-settings.reg"));

    ::setenv("HOME", savedHome.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", config.Path().c_str(), 1);
    EXPECT_EQ(ReadUserSetting("Tollenwark", "Settings", "Where", "none"), "first");
}

// Run by the next test in a new process of this program: reads a setting and writes what it read
// to the file the parent names.
TEST(UserSettingsChildProcess, DISABLED_ReadsASetting) {
    const char* answer = std::getenv("TOLLENWARK_TEST_ANSWER_FILE");
    ASSERT_NE(answer, nullptr);
    WriteFile(answer, ReadUserSetting("Tollenwark", "Settings", "Shared", "<default>"));
}

TEST_F(UserSettingsTest, AValueWrittenByOneProcessIsReadByANewOne) {
    ASSERT_TRUE(WriteUserSetting("Tollenwark", "Settings", "Shared", "from the parent"));
    const std::string answer = config / "answer.txt";
    ::setenv("TOLLENWARK_TEST_ANSWER_FILE", answer.c_str(), 1);
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    std::string filter = "--gtest_filter=UserSettingsChildProcess.DISABLED_ReadsASetting";
    std::string alsoDisabled = "--gtest_also_run_disabled_tests";
    char* arguments[] = {const_cast<char*>(self.c_str()), filter.data(), alsoDisabled.data(),
                         nullptr};
    pid_t child = 0;
    ASSERT_EQ(::posix_spawn(&child, self.c_str(), nullptr, nullptr, arguments, environ), 0);
    int status = 0;
    ::waitpid(child, &status, 0);
    ::unsetenv("TOLLENWARK_TEST_ANSWER_FILE");

    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(ReadFile(answer), "from the parent");
}

}  // namespace
}  // namespace platform
