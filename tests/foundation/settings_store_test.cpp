#include "foundation/settings_store.h"

#include <gtest/gtest.h>

#include "support/child_process.h"
#include "support/scoped_environment.h"
#include "support/temporary_folder.h"

using test_support::ChildProcess;

namespace {

class SettingsStoreTest : public ::testing::Test {
  protected:
    test_support::TemporaryFolder config{"tollenwark-config"};
    test_support::ScopedEnvironmentVariable variable{"XDG_CONFIG_HOME", config.path().string()};
};

TEST_F(SettingsStoreTest, ASettingWrittenByOneProcessIsReadByAnother) {
    ChildProcess writer = ChildProcess::Fork([] {
        SaveSetting("Tollenwark", "OptionAndSettings", "SHOW", "True");
        SaveSetting("Tollenwark", "Drives", "C:\\", "1");
    });
    writer.Stop();

    EXPECT_EQ(GetSetting("Tollenwark", "OptionAndSettings", "SHOW", "False"), "True");
    EXPECT_EQ(GetSetting("Tollenwark", "Drives", "C:\\", "0"), "1");
    EXPECT_EQ(GetSetting("Tollenwark", "Drives", "D:\\", "0"), "0");
    EXPECT_TRUE(std::filesystem::exists(config.path() / "tollenwark" / "user-settings.reg"));
}

}  // namespace
