// The real program on a real X display, driven by the pointer as a new user drives it: the
// options it shows are changed by clicking them, and the per-user settings file follows.
#include <gtest/gtest.h>

#include <cstdlib>

#include "desktop/drawn_places.h"
#include "desktop/program_on_display.h"
#include "support/main_window.h"
#include "support/temporary_folder.h"

namespace {

using namespace std::chrono_literals;

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

std::string Option(const std::string& key) {
    return desktop::Setting("OptionAndSettings", key);
}

bool Becomes(const std::string& key, const std::string& value) {
    return e2e::WaitUntil([&] { return Option(key) == value; }, 10s, 50ms);
}

TEST(SettingsClicksTest, ScheduledScansAndScanOptionsAreSwitchedByClickingThem) {
    SKIP_WITHOUT_DISPLAY_TOOLS(false);
    const desktop::XDisplay display;
    const MainWindowPlaces places = DrawnPlaces(display);
    desktop::SeedQuietStartOfOwnPrefix();

    const test_support::TemporaryFolder output("tollenwark-desktop");
    e2e::BackgroundProcess program({TOLLENWARK_PROGRAM}, desktop::ProgramEnvironment(display),
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
    // Apply writes the switch, the day, the time and the date in turn.
    EXPECT_TRUE(Becomes("chkAutomaticScanYesOrNo", "1")) << "the schedule was applied";
    EXPECT_TRUE(Becomes("Date", "Null")) << "the whole schedule was stored";
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
