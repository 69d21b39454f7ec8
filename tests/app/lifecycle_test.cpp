// The main window's timers by window state, and the program's shutdown when it closes.
#include <gtest/gtest.h>

#include "forms/form_registry.h"
#include "lifecycle_fixture.h"
#include "ui/frm_delete.h"
#include "ui/frm_hidden.h"
#include "ui/frm_menu_popup.h"
#include "ui/frm_signature_updated.h"
#include "ui/frm_website.h"
#include "ui/globals.h"
#include "ui/main_tray.h"

namespace {

class LifecycleTest : public MainWindowTest {
  protected:
    LifecycleTest() {
        SaveUserSetting("OptionAndSettings", "chkAutomaticScanYesOrNo", "1");
        SaveUserSetting("OptionAndSettings", "optMemorySheildOn", "True");
        SaveUserSetting("OptionAndSettings", "optIEHomePageSheildOn", "True");
    }

    bool SchedulerAndMemoryShieldRun() const {
        return window->tmrScheduler.Enabled() && window->tmrMemoryInspected.Enabled();
    }
    bool SchedulerAndMemoryShieldStopped() const {
        return !window->tmrScheduler.Enabled() && !window->tmrMemoryInspected.Enabled();
    }

    forms::ListView& Threats() { return window->lvwPicRemoveListOfSpywareFoundAndToBeRemoved; }
};

TEST_F(LifecycleTest, TheNormalStateStopsTheSchedulerAndMemoryShieldAndEveryOtherStateRunsThem) {
    EXPECT_TRUE(SchedulerAndMemoryShieldStopped()) << "the first showing is in the normal state";
    EXPECT_TRUE(window->tmrScroll.Enabled());
    // Once the window has its tray icon, it leaves the taskbar whenever it is not normal.
    window->Command5.Click();
    ShowMainWindowRestored(*window);

    for (forms::WindowState away : {forms::WindowState::Minimized, forms::WindowState::Maximized}) {
        window->SetWindowState(away);
        EXPECT_TRUE(SchedulerAndMemoryShieldRun());
        EXPECT_TRUE(window->tmrCheckHomePage.Enabled());
        EXPECT_FALSE(window->tmrScroll.Enabled());
        EXPECT_FALSE(host.ApplicationInTaskbar());

        window->SetWindowState(forms::WindowState::Normal);
        EXPECT_TRUE(SchedulerAndMemoryShieldStopped());
        EXPECT_TRUE(window->tmrCheckHomePage.Enabled()) << "the home-page shield goes on";
        EXPECT_TRUE(window->tmrScroll.Enabled());
        EXPECT_TRUE(host.ApplicationInTaskbar());
        EXPECT_EQ(UserSetting("Settings", "Minimized"), "No");
    }
}

TEST_F(LifecycleTest, WithoutATrayIconAMinimisedWindowKeepsItsWayBackInTheTaskbar) {
    for (bool trayAvailable : {true, false}) {
        host.SetTrayAvailable(trayAvailable);
        if (!trayAvailable) {
            window->Command5.Click();  // the desktop refuses the icon
            EXPECT_TRUE(window->Visible());
        }
        for (forms::WindowState away :
             {forms::WindowState::Minimized, forms::WindowState::Maximized}) {
            window->SetWindowState(away);
            EXPECT_TRUE(host.ApplicationInTaskbar());
            EXPECT_TRUE(SchedulerAndMemoryShieldRun()) << "the shields still follow the state";
            window->SetWindowState(forms::WindowState::Normal);
        }
    }
}

TEST_F(LifecycleTest, MinimisingRunsOnlyTheShieldsTheUserSwitchedOn) {
    SaveUserSetting("OptionAndSettings", "chkAutomaticScanYesOrNo", "0");
    SaveUserSetting("OptionAndSettings", "optMemorySheildOn", "False");
    window->SetWindowState(forms::WindowState::Minimized);
    EXPECT_FALSE(window->tmrScheduler.Enabled());
    EXPECT_FALSE(window->tmrMemoryInspected.Enabled());
}

TEST_F(LifecycleTest, ClosingSavesTheExitStateAndWindowAndUnloadsEverythingBeforeTheEnd) {
    SaveUserSetting("OptionAndSettings", "STATUS", "RUNNING");
    window->Command5.Click();  // in the tray, with the menu up
    frmDelete();
    frmHidden();
    frmSignatureUpdated();
    Threats().ColumnHeaders(1).SetWidth(1234.5);

    ExpectProgramEnd([this] { window->Close(); });

    EXPECT_EQ(UserSetting("OptionAndSettings", "STATUS"), "STOPPED");
    EXPECT_EQ(UserSetting("OptionAndSettings", "RESTART"), "False");
    EXPECT_TRUE(host.TrayIcons().empty());
    EXPECT_EQ(UserSetting("Settings", "FoundCol21"), "1234.5");
    EXPECT_EQ(UserSetting("Settings", "FoundCol22"), "4112.5");
    EXPECT_EQ(UserSetting("Settings", "FoundCol23"), "2056.25");
    EXPECT_EQ(UserSetting("Settings", "FoundCol24"), "<none>");
    EXPECT_EQ(UserSetting("Settings", "Max"), "0");
    EXPECT_FALSE(window->Visible());
    for (forms::Form* loaded : forms::LoadedForms()) {
        EXPECT_EQ(loaded, window) << loaded->Name() << " is still loaded";
    }
}

TEST_F(LifecycleTest, AMaximisedWindowIsRememberedWithTheColumnsAsTheUserSawThem) {
    window->SetWindowState(forms::WindowState::Maximized);
    Threats().ColumnHeaders(2).SetWidth(6000);

    ExpectProgramEnd([this] { window->Close(); });

    EXPECT_EQ(UserSetting("Settings", "Max"), "1");
    EXPECT_EQ(UserSetting("Settings", "FoundCol22"), "6000");
}

TEST_F(LifecycleTest, ClosingUnderAnOpenBrowserWaitsForTheBrowser) {
    frmWebsite().Show();
    window->Command5.Click();

    EXPECT_NO_THROW(window->Close());

    EXPECT_FALSE(host.ProcessHasEnded());
    EXPECT_TRUE(gEndOnWebsiteClose);
    EXPECT_FALSE(forms::IsLoaded<FrmMainForm>());
    EXPECT_FALSE(forms::IsLoaded<FrmMenuPopUpForm>());
    EXPECT_TRUE(forms::IsLoaded<FrmWebsiteForm>());
    EXPECT_TRUE(host.TrayIcons().empty());
    EXPECT_EQ(UserSetting("OptionAndSettings", "STATUS"), "STOPPED");
}

TEST_F(LifecycleTest, AHiddenBrowserDoesNotKeepTheProgramAlive) {
    frmWebsite().Hide();
    ExpectProgramEnd([this] { window->Close(); });
    EXPECT_FALSE(gEndOnWebsiteClose);
}

}  // namespace
