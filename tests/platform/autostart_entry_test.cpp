// The desktop's autostart entry: where it lives and how a program path is quoted in it.
#include "platform/autostart_entry.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/child_process.h"
#include "support/scoped_environment.h"
#include "support/temporary_folder.h"

namespace {

// The Exec line's arguments as a session reads them: the value's escapes first, then the quoted
// arguments with their own escapes, "%%" a plain "%".
std::vector<std::string> ExecArguments(const std::string& entry) {
    const auto start = entry.find("Exec=") + 5;
    std::string value;
    for (auto i = start; entry[i] != '\n'; ++i) {
        value += entry[i] == '\\' ? entry[++i] : entry[i];
    }
    std::vector<std::string> arguments(1);
    bool quoted = false;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '"') {
            quoted = !quoted;
        } else if (value[i] == '\\' && quoted) {
            arguments.back() += value[++i];
        } else if (value[i] == '%') {
            arguments.back() += value[++i];
        } else if (value[i] == ' ' && !quoted) {
            arguments.emplace_back();
        } else {
            arguments.back() += value[i];
        }
    }
    return arguments;
}

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

// Whatever the paths hold, the program the entry starts sees the installation and program folder
// it was written for.
TEST(AutostartEntry, StartsTheProgramWithTheEnvironmentItWasWrittenWith) {
    test_support::TemporaryFolder folder("tollenwark-autostart");
    const auto program = folder.WriteFile("my apps/tw$1 \"x\"%y`",
                                          "#!/bin/sh\n"
                                          "printf '%s\\n%s\\n' \"$WINEPREFIX\" "
                                          "\"$TOLLENWARK_PROGRAM_FOLDER\" > \"$0.out\"\n");
    ::chmod(program.c_str(), 0755);
    const platform::StartEnvironment environment = {
        {"WINEPREFIX", "/home/a b/.wine \"$HOME\" 100%"},
        {"TOLLENWARK_PROGRAM_FOLDER", "/opt/x\\y`z"}};
    const auto text = platform::AutostartEntryText("Tollenwark", program, environment);
    ASSERT_TRUE(text);
    std::vector<std::string> arguments = ExecArguments(*text);
    ASSERT_EQ(arguments.front(), "env");
    const std::string command = arguments.front();
    arguments.erase(arguments.begin());
    EXPECT_EQ(
        test_support::ChildProcess::Run(command, arguments).WaitForExit(std::chrono::seconds(10)),
        0);
    EXPECT_EQ(test_support::ReadHostFileOrEmpty(program.string() + ".out"),
              environment[0].second + "\n" + environment[1].second + "\n");
    EXPECT_FALSE(platform::AutostartEntryText("Tollenwark", program, {{"WINEPREFIX", "a\nb"}}));
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
