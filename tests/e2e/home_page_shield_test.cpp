// The home-page shield on a real Wine prefix: a start page changed with Wine's own tools while the
// program runs is put back, without a question, when the shield is set to restore silently.
#include <sstream>

#include "e2e/wine_program_test.h"

namespace e2e {
namespace {

using namespace std::chrono_literals;

const std::string kStartPageKey = "HKCU\\Software\\Microsoft\\Internet Explorer\\Main";
const std::string kProtectedPage = "http://protected.example/start.html";
const std::string kHijackedPage = "http://searchswap.example/";

// The start page as the user's hive file holds it; read from the file, so no Wine server is
// started while the program may write the hive.
std::optional<std::string> StartPageInHive(const WinePrefix& prefix) {
    return TextValueInHiveFile(prefix.folder() / "user.reg",
                               "[Software\\\\Microsoft\\\\Internet Explorer\\\\Main]",
                               "Start Page");
}

SettingsSeed SilentHomePageShield() {
    SettingsSeed seed = QuietScheduledScan(0);
    seed["OptionAndSettings"]["chkAutomaticScanYesOrNo"] = "0";
    RestoreHomePageSilently(seed, kProtectedPage);
    return seed;
}

class HomePageShieldTest : public WineProgramTest {};

TEST_F(HomePageShieldTest, PutsTheProtectedStartPageBackSilently) {
    prefix.AddValue(kStartPageKey, "Start Page", kProtectedPage);
    program.SeedMachineSettings();
    prefix.StopServer();
    program.SeedUserSettings(SilentHomePageShield());
    program.Start();
    ASSERT_TRUE(WaitUntil(
        [&] {
            return program.Setting("OptionAndSettings", "STATUS") ==
                   std::optional<std::string>("RUNNING");
        },
        60s))
        << program.Output();

    prefix.AddValue(kStartPageKey, "Start Page", kHijackedPage);
    prefix.StopServer();
    const bool restored = WaitUntil([&] { return StartPageInHive(prefix) == kProtectedPage; }, 60s);
    EXPECT_TRUE(restored) << "the start page is still "
                          << StartPageInHive(prefix).value_or("missing") << "; the program said:\n"
                          << program.Output();
    ASSERT_TRUE(program.Running()) << program.Output();
    ASSERT_TRUE(program.End()) << program.Output();
    EXPECT_EQ(program.Setting("OptionAndSettings", "STATUS"), std::optional<std::string>("STOPPED"))
        << "ended by the system, the program closes its main window and says so";

    EXPECT_EQ(prefix.QueryValue(kStartPageKey, "Start Page"), kProtectedPage);
    EXPECT_EQ(program.Setting("OptionAndSettings", "Homepage"), kProtectedPage);
}

}  // namespace
}  // namespace e2e
