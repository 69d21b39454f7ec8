// The program's trips to the notification area under a real window manager and tray: at every step
// what the program believes of its main window (shown, minimised) is what the X server shows, and
// the tray menu rests wholly on the screen.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QSystemTrayIcon>
#include <QWindow>
#include <array>
#include <sstream>

#include "desktop/program_on_display.h"
#include "forms/form_registry.h"
#include "ui/frm_main.h"
#include "ui/frm_menu_popup.h"

namespace {

using namespace std::chrono_literals;
using desktop::ManagedState;

const char* Describe(ManagedState state) {
    return state == ManagedState::Normal   ? "normal"
           : state == ManagedState::Iconic ? "iconic"
                                           : "none";
}

class TrayTrips : public desktop::ProgramOnDisplayTest {
  protected:
    // Hidden: withdrawn. Shown minimised: iconified. Shown normal: on the screen, in the taskbar.
    bool WindowSystemAgrees(const FrmMainForm& main) {
        const desktop::WindowOnScreen seen = display->Inspect(program->WindowOf(main));
        if (!main.Visible()) {
            return !seen.mapped && seen.state == ManagedState::None;
        }
        if (main.WindowState() == forms::WindowState::Minimized) {
            return !seen.mapped && seen.state == ManagedState::Iconic;
        }
        return seen.mapped && seen.state == ManagedState::Normal && !seen.skipsTaskbar;
    }

    // Waits for the window system to follow the program, and stay with it a moment.
    void ExpectAgreement(const FrmMainForm& main, const std::string& step) {
        const bool agrees = program->RunUntil([&] { return WindowSystemAgrees(main); }, 5s);
        program->RunFor(50ms);
        const desktop::WindowOnScreen seen = display->Inspect(program->WindowOf(main));
        EXPECT_TRUE(agrees && WindowSystemAgrees(main))
            << step << ": the program has its window " << (main.Visible() ? "shown" : "hidden")
            << (main.WindowState() == forms::WindowState::Minimized ? " minimised" : "")
            << "; the X server has it " << (seen.mapped ? "mapped" : "unmapped") << ", "
            << Describe(seen.state) << (seen.skipsTaskbar ? ", out of the taskbar" : "");
    }

    QSystemTrayIcon* Icon(const FrmMainForm& main) {
        return program->host().trayIcons().Find(main.Hwnd(), 1);
    }

    // The icon is in the notification area, on the screen and taking clicks.
    bool IconShown(const FrmMainForm& main) {
        QSystemTrayIcon* icon = Icon(main);
        if (icon == nullptr || !icon->isVisible() || icon->geometry().isEmpty()) {
            return false;
        }
        for (QWindow* window : QGuiApplication::allWindows()) {
            if (window->objectName() == QLatin1String("QSystemTrayIconSysWindow") &&
                window->isExposed()) {
                return true;
            }
        }
        return false;
    }

    // Resting, and framed on the screen where it rests.
    bool MenuAtRest() {
        const FrmMenuPopUpForm* menu = forms::LoadedInstance<FrmMenuPopUpForm>();
        return menu != nullptr && menu->Visible() && menu->TmrEnablePopDown.Enabled() &&
               display->Inspect(program->WindowOf(*menu)).state == ManagedState::Normal;
    }

    void ExpectMenuOnScreen(const std::string& step) {
        const QRect frame = display->FrameOf(program->WindowOf(frmMenuPopUp()));
        const QRect screen(QPoint(0, 0), display->ScreenSize());
        EXPECT_TRUE(screen.contains(frame))
            << step << ": the tray menu rests at " << frame.x() << "," << frame.y() << " "
            << frame.width() << "x" << frame.height();
    }

    // A left click on the icon shows the menu where it is; one that is sliding away is let go
    // first. A menu that was not there slides up and rests. A click a busy X server dropped is
    // made again; the slide itself may take seconds in a sanitized build on a loaded machine.
    void BringUpTheMenu(const FrmMainForm& main, const std::string& step) {
        for (int attempt = 0; attempt < 5 && !MenuAtRest(); ++attempt) {
            program->RunUntil([] {
                const FrmMenuPopUpForm* menu = forms::LoadedInstance<FrmMenuPopUpForm>();
                return menu == nullptr || !menu->tmrPopDown.Enabled();
            });
            display->Click(Icon(main)->geometry().center());
            program->RunUntil([this] { return MenuAtRest(); }, 5s);
        }
        ASSERT_TRUE(MenuAtRest()) << step << ": no tray menu came up";
        ExpectMenuOnScreen(step);
    }
};

TEST_F(TrayTrips, AStartInTheTrayAndTwentyTripsBackAndThereKeepTheWindowAsTheServerShowsIt) {
    ASSERT_TRUE(StartProgram({{"Settings", "Minimized", "Yes"}}));

    FrmMainForm& main = FrmMain();
    EXPECT_TRUE(main.Visible());
    EXPECT_EQ(main.WindowState(), forms::WindowState::Minimized);
    ExpectAgreement(main, "the start in the tray");
    EXPECT_TRUE(program->RunUntil([&] { return IconShown(main); })) << "no tray icon";
    EXPECT_EQ(desktop::Setting("Settings", "Minimized"), "Yes");

    // Back by a double click on the icon and by the menu's "Show Program" in turn, each after its
    // own wait; then away again with "Send to Tray".
    constexpr std::array kWaits = {0ms, 40ms, 120ms, 250ms, 500ms, 15ms, 80ms};
    for (int trip = 1; trip <= 20; ++trip) {
        const std::string name = "trip " + std::to_string(trip);
        program->RunFor(kWaits[trip % kWaits.size()]);
        const auto back = [&] {
            return main.Visible() && main.WindowState() == forms::WindowState::Normal;
        };
        // A click the X server delivers to no window of the program (a busy machine) is made
        // again; what the program does with a click it took is checked below.
        for (int attempt = 0; attempt < 3 && !back(); ++attempt) {
            ASSERT_TRUE(program->RunUntil([&] { return IconShown(main); })) << name;
            if (trip % 2 == 1) {
                display->DoubleClick(Icon(main)->geometry().center());
            } else {
                BringUpTheMenu(main, name);
                display->Click(program->CentreOf(frmMenuPopUp().mnuMaxmimaize));
            }
            program->RunUntil(back, 2s);
        }
        ASSERT_TRUE(back()) << name << ": the window did not come back";
        ExpectAgreement(main, name + ", back");
        EXPECT_EQ(desktop::Setting("Settings", "Minimized"), "No") << name;

        program->RunFor(kWaits[(trip + 3) % kWaits.size()]);
        for (int attempt = 0; attempt < 3 && main.Visible(); ++attempt) {
            display->Click(program->CentreOf(main.Command5));
            program->RunUntil([&] { return !main.Visible(); }, 2s);
        }
        ASSERT_FALSE(main.Visible()) << name << ": Send to Tray did not take the window away";
        ExpectAgreement(main, name + ", in the tray");
        EXPECT_TRUE(IconShown(main)) << name;
        EXPECT_EQ(desktop::Setting("Settings", "Minimized"), "Yes") << name;
        // The menu Send to Tray brings up, unless it was there already, hidden by a double click.
        if (const FrmMenuPopUpForm* menu = forms::LoadedInstance<FrmMenuPopUpForm>();
            menu != nullptr && menu->Visible() && menu->tmrMenuPopup.Enabled()) {
            EXPECT_TRUE(program->RunUntil([this] { return MenuAtRest(); })) << name;
            ExpectMenuOnScreen(name + ", after Send to Tray");
        }
    }
}

}  // namespace
