// The real program on a real X display, driven by the pointer as a new user drives it: the
// options it shows are changed by clicking them, and the per-user settings file follows.
#include <gtest/gtest.h>

#include <cstdlib>

#include "desktop/drawn_places.h"
#include "desktop/x_display.h"
#include "forms/test_host.h"
#include "foundation/brand.h"
#include "foundation/globals.h"
#include "foundation/machine_settings.h"
#include "foundation/settings_store.h"
#include "platform/fresh_prefix.h"
#include "platform/machine.h"
#include "support/forms_fixture.h"
#include "support/main_window.h"
#include "support/scoped_environment.h"
#include "support/temporary_folder.h"

namespace {

using namespace std::chrono_literals;
using test_support::ScopedEnvironmentVariable;

// Where the main window shows what the test clicks, from the window's top-left corner.
struct MainWindowPlaces {
    QSize size;
    QPoint settingsButton;
    QPoint scanOptionsTab;
    QPoint scheduleTab;
    QPoint enableScheduleBox;
    QPoint applyButton;
    QPoint scanCookiesBox;
};

MainWindowPlaces DrawnPlaces(const desktop::XDisplay& display) {
    const desktop::DrawnPlaces drawn = desktop::DrawForm(
        display,
        []() -> forms::Form& {
            FrmMainForm& main = test_support::LoadMainWindowWithoutStartUp();
            main.HideAllPanels();
            main.frmOptions.SetVisible(true);
            return main;
        },
        [](const desktop::PlaceFinder& at) {
            FrmMainForm& main = FrmMain();
            return std::vector<QPoint>{
                at.Centre(main.cmdSettings), at.Tab(main.TabStrip1, 1),
                at.Tab(main.TabStrip1, 3),   at.Box(main.chkAutomaticScanYesOrNo),
                at.Centre(main.CmdProceed),  at.Box(main.chkScanCookies)};
        });
    const auto& at = drawn.places;
    return {drawn.size, at[0], at[1], at[2], at[3], at[4], at[5]};
}

// A user who has started the program before, with nothing that would ask or interrupt: no
// automatic update, both shields off. The program keeps its own prefix (no WINEPREFIX).
void SeedQuietStart() {
    forms::TestHost host(FailTheRunningTest());
    forms::ScopedHost installed(host);
    InitBrandSettings();
    struct Setting {
        const char* section;
        const char* key;
        const char* value;
    };
    const Setting quiet[] = {{"Settings", "Language", "English"},
                             {"Settings", "showHelp", "0"},
                             {"OptionAndSettings", "chkAutomaticUpdate", "0"},
                             {"OptionAndSettings", "optMemorySheildOn", "False"},
                             {"OptionAndSettings", "optMemorySheildOff", "True"},
                             {"OptionAndSettings", "optIEHomePageSheildOn", "False"},
                             {"OptionAndSettings", "optIEHomePageSheildOff", "True"}};
    for (const Setting& setting : quiet) {
        SaveSetting(gProgramName, setting.section, setting.key, setting.value);
    }
    ASSERT_EQ(platform::LayDownFreshPrefix(platform::OwnPrefixFolder(), platform::HostUserName()),
              0);
    platform::ScopedMachine machine(
        platform::OpenMachine(platform::Prefix(platform::OwnPrefixFolder())));
    SaveMachineSetting(gProgramName, "Settings", "FirstTime", "Yes");
}

std::string Option(const std::string& key) {
    return GetSetting(gProgramName, "OptionAndSettings", key, "<none>");
}

bool Becomes(const std::string& key, const std::string& value) {
    return e2e::WaitUntil([&] { return Option(key) == value; }, 10s, 50ms);
}

TEST(SettingsClicksTest, ScheduledScansAndScanOptionsAreSwitchedByClickingThem) {
    if (!desktop::DisplayToolsPresent()) {
        ASSERT_EQ(std::getenv("TOLLENWARK_DESKTOP_TESTS"), nullptr)
            << "Xvfb and xdotool are needed here (scripts/setup-deps installs them)";
        GTEST_SKIP() << "Xvfb or xdotool is not installed";
    }
    const desktop::XDisplay display;
    const MainWindowPlaces places = DrawnPlaces(display);
    SeedQuietStart();

    e2e::ChildEnvironment environment;
    environment.Remove("WINEPREFIX");
    environment.Set("DISPLAY", display.name());
    environment.Set("QT_QPA_PLATFORM", "xcb");
    environment.Set("TOLLENWARK_DEFINITIONS_SERVER", "http://127.0.0.1:9");  // nobody listens
    const test_support::TemporaryFolder output("tollenwark-desktop");
    e2e::BackgroundProcess program({TOLLENWARK_PROGRAM}, environment,
                                   output.path() / "program-output.txt");
    const std::optional<QPoint> corner = display.WaitForWindow(program.id(), places.size, 30s);
    ASSERT_TRUE(corner) << "no main window of " << places.size.width() << "x"
                        << places.size.height() << "; the program said:\n"
                        << e2e::ReadWholeFile(output.path() / "program-output.txt");
    const auto click = [&](QPoint place) { display.Click(*corner + place); };

    click(places.settingsButton);
    click(places.scheduleTab);
    click(places.enableScheduleBox);
    click(places.applyButton);
    EXPECT_TRUE(Becomes("chkAutomaticScanYesOrNo", "1")) << "the schedule was applied";
    EXPECT_EQ(Option("Day"), "7") << "daily, as the page showed it";

    ASSERT_EQ(Option("chkScanCookies"), "1");
    click(places.scanOptionsTab);
    click(places.scanCookiesBox);
    EXPECT_TRUE(Becomes("chkScanCookies", "0")) << "the box was unticked";

    program.Signal(SIGTERM);
    EXPECT_EQ(program.WaitForEnd(20s), std::optional<int>(0))
        << "the program ends cleanly with the session; it said:\n"
        << e2e::ReadWholeFile(output.path() / "program-output.txt");
}

}  // namespace
