// The real program on a real X display, driven by the pointer as a new user drives it: the
// options it shows are changed by clicking them, and the per-user settings file follows.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QStyleOptionButton>
#include <QTabBar>
#include <cstdlib>

#include "desktop/program_on_display.h"
#include "forms/form_registry.h"
#include "qt/application_setup.h"
#include "qt/outermost_loop.h"
#include "qt/qt_host.h"
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

// A check box takes a click on its box or its caption, not beside them.
QPoint BoxOf(const QCheckBox& box) {
    QStyleOptionButton option;
    option.initFrom(&box);
    option.text = box.text();
    return box.style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, &box).center();
}

// The program's own front end draws its main window in this process, on the same display, before
// the program starts: the places come from the same layout, fonts and style as the program's.
MainWindowPlaces DrawnPlaces(const desktop::XDisplay& display) {
    ScopedEnvironmentVariable platform("QT_QPA_PLATFORM", "xcb");
    ScopedEnvironmentVariable screen("DISPLAY", display.name());
    int argc = 1;
    char name[] = "desktop_tests";
    char* argv[] = {name, nullptr};
    frontend::PrepareQtApplication();
    QApplication application(argc, argv);
    frontend::ConfigureQtApplication(application);
    frontend::QtHost host;
    forms::ScopedHost installed(host);

    FrmMainForm& main = test_support::LoadMainWindowWithoutStartUp();
    main.HideAllPanels();
    main.frmOptions.SetVisible(true);
    main.Show();
    const frontend::FormWindow& window = *host.renderer().WindowOf(main);
    const auto widgetOf = [&](const forms::Control& control) -> QWidget& {
        return *window.ViewOf(control)->widget();
    };
    const auto centre = [&](const forms::Control& control) {
        QWidget& widget = widgetOf(control);
        return widget.mapTo(&window, widget.rect().center());
    };
    const auto box = [&](const forms::CheckBox& control) {
        auto& widget = static_cast<QCheckBox&>(widgetOf(control));
        return widget.mapTo(&window, BoxOf(widget));
    };
    const QTabBar& tabs = *widgetOf(main.TabStrip1).findChild<QTabBar*>();
    const auto tab = [&](int index) {
        return tabs.mapTo(&window, tabs.tabRect(index - 1).center());
    };
    QCoreApplication::processEvents();
    MainWindowPlaces places{window.size(),
                            centre(main.cmdSettings),
                            tab(1),
                            tab(3),
                            box(main.chkAutomaticScanYesOrNo),
                            centre(main.CmdProceed),
                            box(main.chkScanCookies)};
    forms::DestroyAllForms();
    frontend::DestroyWaitingObjects();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return places;
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
