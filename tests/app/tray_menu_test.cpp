// The tray menu: its slide out of the taskbar, its rest, its fall and its three commands.
#include <gtest/gtest.h>

#include <chrono>

#include "forms/form_registry.h"
#include "lifecycle_fixture.h"
#include "ui/frm_menu_popup.h"

using namespace std::chrono_literals;

namespace {

class TrayMenuTest : public MainWindowTest {
  protected:
    FrmMenuPopUpForm& OpenMenu() {
        frmMenuPopUp().Show();
        return frmMenuPopUp();
    }

    bool MenuLoaded() const { return forms::IsLoaded<FrmMenuPopUpForm>(); }

    // The menu's inner area is 4215 by 1785 twips: 281 pixels wide; with its border and title it
    // is 2160 twips high.
    static constexpr double kInnerWidthPixels = 281;
    static constexpr double kOuterHeight = 2160;
};

TEST_F(TrayMenuTest, RisesOutOfTheTaskbarEightyTwipsATickToItsRest) {
    // 1024 x 768 with a 30-pixel taskbar: 768 x 14.5 = 11136, 30 x 14.5 = 435.
    FrmMenuPopUpForm& menu = OpenMenu();
    EXPECT_EQ(menu.Top(), 11136 - 435);
    EXPECT_DOUBLE_EQ(menu.Left(), (1024 - kInnerWidthPixels) * 14.7);
    EXPECT_EQ(menu.ScaleWidth(), kInnerWidthPixels);
    EXPECT_EQ(menu.Height(), kOuterHeight);
    EXPECT_TRUE(menu.Visible());

    host.Advance(1ms);
    EXPECT_EQ(menu.Top(), 10701 - 80);
    // The rest is at 11136 - (2160 + 100) = 8876; the rise stops once it is reached or passed.
    host.Advance(22ms);
    EXPECT_EQ(menu.Top(), 10701 - 23 * 80);
    EXPECT_TRUE(menu.tmrMenuPopup.Enabled());
    host.Advance(1ms);
    EXPECT_EQ(menu.Top(), 8861);
    EXPECT_FALSE(menu.tmrMenuPopup.Enabled());
    EXPECT_TRUE(menu.TmrEnablePopDown.Enabled());
}

TEST_F(TrayMenuTest, LeavesAfterSixIdleSecondsAndUnloadsOnceNearTheScreenBottom) {
    FrmMenuPopUpForm& menu = OpenMenu();
    host.Advance(24ms);  // at rest, Top 8861

    host.Advance(5999ms);
    EXPECT_EQ(menu.Top(), 8861);
    EXPECT_EQ(menu.lTimDown, 5);
    host.Advance(1ms);  // the sixth idle second
    EXPECT_TRUE(menu.tmrPopDown.Enabled());
    EXPECT_EQ(menu.lTimDown, 0);

    // A hundred twips every 10 ms until the top passes 768 x 15 - 2000 = 9520.
    host.Advance(60ms);
    ASSERT_TRUE(MenuLoaded());
    EXPECT_EQ(menu.Top(), 8861 + 600);
    host.Advance(10ms);
    EXPECT_FALSE(MenuLoaded());
}

TEST_F(TrayMenuTest, FitsItselfToAnotherScreenAndTaskbar) {
    host.SetScreenRect({0, 0, 1280, 1024});
    host.SetTaskbarRect({0, 984, 1280, 1024});
    FrmMenuPopUpForm& menu = OpenMenu();
    EXPECT_EQ(menu.Top(), 14848 - 580);
    EXPECT_DOUBLE_EQ(menu.Left(), (1280 - kInnerWidthPixels) * 14.7);

    while (menu.tmrMenuPopup.Enabled()) {
        host.Advance(1ms);
    }
    const double rest = 14848 - (kOuterHeight + 100);
    EXPECT_LE(menu.Top(), rest);
    EXPECT_GT(menu.Top(), rest - 80);
}

// The rest the fixed factors give would cover part of a tall taskbar: the menu rests on it instead.
TEST_F(TrayMenuTest, RestsAboveATallTaskbar) {
    host.SetScreenRect({0, 0, 1280, 720});
    host.SetTaskbarRect({0, 660, 1280, 720});
    FrmMenuPopUpForm& menu = OpenMenu();
    while (menu.tmrMenuPopup.Enabled()) {
        host.Advance(1ms);
    }
    EXPECT_LE(menu.Top() + menu.Height(), 660 * 15);
    EXPECT_GT(menu.Top() + menu.Height(), 660 * 15 - 80);
}

TEST_F(TrayMenuTest, WithoutATaskbarItStartsAtTheScreenBottom) {
    host.SetTaskbarRect({});
    EXPECT_EQ(OpenMenu().Top(), 11136);
}

TEST_F(TrayMenuTest, TheMouseOverItsBackgroundKeepsItUpButNotOverAButton) {
    FrmMenuPopUpForm& menu = OpenMenu();
    host.Advance(24ms);
    for (int second = 0; second < 20; ++second) {
        host.Advance(1s);
        menu.MouseMove(0, 0, 5, 5);
    }
    EXPECT_EQ(menu.Top(), 8861);
    EXPECT_TRUE(menu.TmrEnablePopDown.Enabled());

    for (int second = 0; second < 6; ++second) {
        menu.mnuClose.MouseMove(0, 0, 5, 5);
        host.Advance(1s);
    }
    EXPECT_TRUE(menu.tmrPopDown.Enabled());
}

TEST_F(TrayMenuTest, OffersExitUnlessAScanRunsAndShowProgramOnlyWhileTheWindowIsAway) {
    EXPECT_FALSE(OpenMenu().mnuMaxmimaize.Enabled()) << "the window is on screen";
    EXPECT_TRUE(frmMenuPopUp().mnuClose.Enabled());
    frmMenuPopUp().Unload();

    // A scan disables both side-menu labels; one of them alone is no scan.
    window->Hide();
    window->lblResult.SetEnabled(false);
    EXPECT_TRUE(OpenMenu().mnuClose.Enabled());
    EXPECT_TRUE(frmMenuPopUp().mnuMaxmimaize.Enabled());
    frmMenuPopUp().Unload();
    window->lblOptions.SetEnabled(false);
    EXPECT_FALSE(OpenMenu().mnuClose.Enabled());
}

TEST_F(TrayMenuTest, CloseThisMenuSlidesItAwayFromWhereItIs) {
    FrmMenuPopUpForm& menu = OpenMenu();
    host.Advance(5ms);
    menu.lblMenuClose.Click();
    EXPECT_FALSE(menu.tmrMenuPopup.Enabled());
    EXPECT_FALSE(menu.TmrEnablePopDown.Enabled());
    host.Advance(10ms);  // 10701 - 400 + 100 is past 9520 already
    EXPECT_FALSE(MenuLoaded());
}

TEST_F(TrayMenuTest, ShowProgramBringsTheWindowBackAndTheMenuLeaves) {
    window->Command5.Click();
    FrmMenuPopUpForm& menu = frmMenuPopUp();
    host.Advance(24ms);

    menu.mnuMaxmimaize.Click();

    EXPECT_TRUE(window->Visible());
    EXPECT_EQ(window->WindowState(), forms::WindowState::Normal);
    EXPECT_EQ(host.TrayIcons().size(), 1u);
    EXPECT_TRUE(menu.tmrPopDown.Enabled());
    host.Advance(100ms);
    EXPECT_FALSE(MenuLoaded());
}

TEST_F(TrayMenuTest, ExitProgramSavesTheStoppedStateAndEndsWithoutAsking) {
    window->Command5.Click();
    SaveUserSetting("OptionAndSettings", "STATUS", "RUNNING");
    SaveUserSetting("OptionAndSettings", "RESTART", "True");

    ExpectProgramEnd([] { frmMenuPopUp().mnuClose.Click(); });

    EXPECT_EQ(UserSetting("OptionAndSettings", "STATUS"), "STOPPED");
    EXPECT_EQ(UserSetting("OptionAndSettings", "RESTART"), "False");
    EXPECT_TRUE(host.TrayIcons().empty());
    EXPECT_FALSE(MenuLoaded());
    EXPECT_TRUE(host.MsgBoxesShown().empty());
}

}  // namespace
