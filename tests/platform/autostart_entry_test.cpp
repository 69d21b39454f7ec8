// The desktop's autostart entry: where it lives and how a program path is quoted in it.
#include "platform/autostart_entry.h"

#include <gtest/gtest.h>

#include "support/scoped_environment.h"
#include "support/temporary_folder.h"

namespace {

TEST(AutostartEntry, QuotesTheProgramSoThatNoCharacterOfItsPathIsReadAsSyntax) {
    const auto text = platform::AutostartEntryText("Tollenwark", "/opt/my apps/tw$1 \"x\"%\\y`");
    ASSERT_TRUE(text);
    EXPECT_EQ(*text,
              "[Desktop Entry]\n"
              "Type=Application\n"
              "Name=Tollenwark\n"
              "Exec=\"/opt/my apps/tw\\\\$1 \\\\\"x\\\\\"%%\\\\\\\\y\\\\`\"\n"
              "Terminal=false\n");
    EXPECT_FALSE(platform::AutostartEntryText("Tollenwark", "/opt/two\nlines"));
}

TEST(AutostartEntry, IsWrittenAndDeletedInTheUsersConfigFolder) {
    test_support::TemporaryFolder config("tollenwark-config");
    test_support::ScopedEnvironmentVariable home("XDG_CONFIG_HOME", config.path().string());
    const auto entry = config.path() / "autostart" / "tollenwark.desktop";
    ASSERT_EQ(platform::AutostartEntryPath(), entry);

    ASSERT_TRUE(platform::WriteAutostartEntry("Tollenwark", "/opt/tollenwark/tollenwark"));
    EXPECT_EQ(test_support::ReadHostFileOrEmpty(entry),
              *platform::AutostartEntryText("Tollenwark", "/opt/tollenwark/tollenwark"));
    EXPECT_TRUE(platform::DeleteAutostartEntry());
    EXPECT_FALSE(std::filesystem::exists(entry));
    EXPECT_TRUE(platform::DeleteAutostartEntry());
}

}  // namespace
