// The tray object, Send to Tray and the icon's messages to the main window.
#include <gtest/gtest.h>

#include <string>

#include "forms/form_registry.h"
#include "forms/host.h"
#include "lifecycle_fixture.h"
#include "platform/version_block.h"
#include "ui/frm_menu_popup.h"
#include "ui/tray.h"

namespace {

using forms::TestHost;
namespace message = forms::tray_message;

class TrayIconTest : public MainWindowTest {
  protected:
    std::string ProductName() const { return platform::ProgramVersionBlock().productName; }

    bool MenuLoaded() const { return forms::IsLoaded<FrmMenuPopUpForm>(); }
};

// A window of its own, so that the tray object is tested without the main window's handlers.
class IconOwner : public forms::Form {
  public:
    IconOwner() : Form("frmIconOwner") {}
};

TEST_F(TrayIconTest, SendToTrayHidesTheWindowBehindAnIconNamedAfterTheProduct) {
    window->Command5.Click();

    EXPECT_FALSE(window->Visible());
    EXPECT_EQ(window->WindowState(), forms::WindowState::Minimized);
    ASSERT_EQ(host.TrayIcons().size(), 1u);
    const forms::TrayIcon icon = host.TrayIcons().front();
    EXPECT_EQ(icon.owner, window->Hwnd());
    EXPECT_EQ(icon.id, 1);
    EXPECT_EQ(icon.tip, ProductName());
    EXPECT_EQ(icon.icon, window->Icon());
    EXPECT_TRUE(gTray.bRunningInTray);
    EXPECT_EQ(UserSetting("Settings", "Minimized"), "Yes");
    // The menu slides up to show where the program went, offering it back.
    ASSERT_TRUE(MenuLoaded());
    EXPECT_TRUE(frmMenuPopUp().mnuMaxmimaize.Enabled());
}

TEST_F(TrayIconTest, WithoutANotificationAreaTheWindowStaysReachableInTheTaskbar) {
    host.SetTrayAvailable(false);
    window->Command5.Click();

    EXPECT_TRUE(window->Visible());
    EXPECT_EQ(window->WindowState(), forms::WindowState::Minimized);
    EXPECT_TRUE(host.ApplicationInTaskbar());
    EXPECT_NE(UserSetting("Settings", "Minimized"), "Yes") << "the next start shows the window";
}

TEST_F(TrayIconTest, EitherDoubleClickBringsTheWindowBackAndTheIconStays) {
    for (int doubleClick : {message::LeftDoubleClick, message::RightDoubleClick}) {
        window->Command5.Click();
        host.ClickTrayIcon(window->Hwnd(), doubleClick);

        EXPECT_TRUE(window->Visible());
        EXPECT_EQ(window->WindowState(), forms::WindowState::Normal);
        EXPECT_EQ(host.TrayIcons().size(), 1u) << "the icon stays until the program closes";
        EXPECT_EQ(UserSetting("Settings", "Minimized"), "No") << "the next start shows the window";
        ASSERT_TRUE(MenuLoaded());
        EXPECT_FALSE(frmMenuPopUp().Visible());
    }
}

TEST_F(TrayIconTest, ADoubleClickWithNoMenuAroundOpensNone) {
    window->Command5.Click();
    frmMenuPopUp().Unload();

    host.ClickTrayIcon(window->Hwnd(), message::LeftDoubleClick);

    EXPECT_TRUE(window->Visible());
    EXPECT_FALSE(MenuLoaded());
}

TEST_F(TrayIconTest, EitherButtonPressOpensTheMenuAndOtherMessagesDoNothing) {
    window->Command5.Click();
    frmMenuPopUp().Unload();
    for (int other : {512, 514, 517, 519, 520, 521, 0, 1000}) {
        host.ClickTrayIcon(window->Hwnd(), other);
        EXPECT_FALSE(MenuLoaded()) << other;
        EXPECT_FALSE(window->Visible()) << other;
    }

    for (int press : {message::LeftButtonDown, message::RightButtonDown}) {
        host.ClickTrayIcon(window->Hwnd(), press);
        ASSERT_TRUE(MenuLoaded()) << press;
        EXPECT_TRUE(frmMenuPopUp().Visible());
        EXPECT_FALSE(window->Visible());
        frmMenuPopUp().Unload();
    }
}

TEST_F(TrayIconTest, PlainMouseMovementOverTheWindowIsNoIconMessage) {
    // Where the icon's message number would stand in the X coordinate, in twips.
    for (int number : {513, 515, 516, 518}) {
        window->MouseMove(0, 0, number * 15.0, 100);
    }

    EXPECT_FALSE(MenuLoaded());
    EXPECT_TRUE(window->Visible());
    EXPECT_EQ(window->WindowState(), forms::WindowState::Normal);
    EXPECT_TRUE(host.TrayCalls().empty());
}

TEST_F(TrayIconTest, TheTipChangesOnlyWhileTheIconIsShown) {
    IconOwner& owner = forms::DefaultInstance<IconOwner>();
    owner.SetCaption("Owner");
    clsTray tray;

    tray.ChangeToolTip(owner, "too early");
    EXPECT_TRUE(host.TrayCalls().empty());

    tray.ShowIcon(owner);
    owner.SetIcon(forms::ImageId{"another picture"});
    tray.ChangeToolTip(owner, "Busy");
    ASSERT_EQ(host.TrayIcons().size(), 1u);
    EXPECT_EQ(host.TrayIcons().front().tip, "Busy");
    EXPECT_NE(host.TrayIcons().front().icon, owner.Icon()) << "the picture of the last call stays";

    tray.RemoveIcon(owner);
    EXPECT_FALSE(tray.bRunningInTray);
    const std::size_t calls = host.TrayCalls().size();
    tray.ChangeToolTip(owner, "too late");
    EXPECT_EQ(host.TrayCalls().size(), calls);
    EXPECT_TRUE(host.TrayIcons().empty());
}

TEST_F(TrayIconTest, ASecondShowRepeatsTheAddForTheSameIconAndLongTipsAreCut) {
    IconOwner& owner = forms::DefaultInstance<IconOwner>();
    owner.SetCaption(std::string(70, 'x'));
    clsTray tray;

    tray.ShowIcon(owner);
    tray.ShowIcon(owner);

    EXPECT_TRUE(tray.bRunningInTray);
    ASSERT_EQ(host.TrayCalls().size(), 2u);
    for (const TestHost::TrayCall& call : host.TrayCalls()) {
        EXPECT_EQ(call.action, TestHost::TrayAction::Add);
        EXPECT_EQ(call.icon.owner, owner.Hwnd());
        EXPECT_EQ(call.icon.id, 1);
    }
    ASSERT_EQ(host.TrayIcons().size(), 1u);
    EXPECT_EQ(host.TrayIcons().front().tip, std::string(63, 'x'));
}

}  // namespace
