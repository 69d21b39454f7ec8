// The splash window's timer, the skinned look and the banner.
#include <gtest/gtest.h>

#include <chrono>

#include "forms/buttons.h"
#include "forms/containers.h"
#include "forms/form_registry.h"
#include "forms/labels.h"
#include "forms/list_view.h"
#include "forms/text_box.h"
#include "forms/web_browser.h"
#include "foundation/globals.h"
#include "platform/version_block.h"
#include "startup_fixture.h"
#include "ui/frm_main.h"
#include "ui/frm_splash.h"
#include "ui/globals.h"
#include "ui/skin.h"
#include "ui/skin_control.h"

using namespace std::chrono_literals;

namespace {

// A window with one control of each kind that skinning tells apart, and a banner.
class SkinSampleForm : public forms::Form {
  public:
    explicit SkinSampleForm(forms::ScaleMode scale = forms::ScaleMode::Twips)
        : Form("frmSkinSample") {
        SetScaleMode(scale);
        wbBanner.Move(300, 150, 6000, 900);
        wbBanner.SetVisible(false);
    }

    forms::CommandButton cmdGo{*this, "cmdGo"};
    forms::TextBox txtName{*this, "txtName"};
    forms::ListView lvwItems{*this, "lvwItems"};
    forms::PictureBox picLogo{*this, "picLogo"};
    forms::Label lblTitle{*this, "lblTitle"};
    forms::WebBrowser wbBanner{*this, "wbBanner"};
    forms::Image wbPicture{*this, "wbPicture"};
};

constexpr forms::Color kColour1 = forms::Rgb(10, 20, 30);
constexpr forms::Color kColour2 = forms::Rgb(40, 50, 60);
constexpr forms::Color kColour3 = forms::Rgb(70, 80, 90);
constexpr forms::Color kColour4 = forms::Rgb(1, 2, 3);

using SplashTest = StartupTest;

TEST_F(SplashTest, TheSeventyFifthTickOpensTheMainWindowAndHidesTheSplash) {
    MarkAsUsedBefore();
    FrmSplashForm& splash = frmSplash();
    splash.Show();
    EXPECT_EQ(gProgramName, platform::ProgramVersionBlock().productName) << "identity set at load";
    EXPECT_EQ(gSkinObject, nullptr) << "this build's identity asks for no skin";

    host.Advance(148ms);  // 74 ticks
    EXPECT_EQ(splash.intTemp, 148);
    EXPECT_FALSE(forms::IsLoaded<FrmMainForm>());
    EXPECT_TRUE(splash.Visible());

    host.Advance(2ms);
    EXPECT_EQ(splash.intTemp, 150);
    ASSERT_TRUE(forms::IsLoaded<FrmMainForm>());
    EXPECT_TRUE(FrmMain().Visible());
    EXPECT_FALSE(splash.Visible());
    EXPECT_TRUE(splash.IsLoaded()) << "the splash stays loaded for its skin";
    EXPECT_FALSE(splash.Timer2.Enabled());

    host.Advance(1s);
    EXPECT_EQ(splash.intTemp, 150) << "no 76th tick";
}

TEST_F(SplashTest, ThePictureStaysCentredWhateverBorderTheDesktopDraws) {
    MarkAsUsedBefore();
    FrmSplashForm& splash = frmSplash();
    const double captionLeft = splash.lblLoading.Left() - splash.imgSplash.Left();
    const double captionTop = splash.lblLoading.Top() - splash.imgSplash.Top();

    splash.SetFrameInsets({.left = 0, .top = 0, .right = 0, .bottom = 0});
    const double contentHeight = captionTop + splash.lblLoading.Height();
    EXPECT_EQ(splash.imgSplash.Left(), (splash.ScaleWidth() - splash.imgSplash.Width()) / 2);
    EXPECT_EQ(splash.imgSplash.Top(), (splash.ScaleHeight() - contentHeight) / 2);
    EXPECT_GE(splash.imgSplash.Left(), 0);
    EXPECT_EQ(splash.lblLoading.Left() - splash.imgSplash.Left(), captionLeft);
    EXPECT_EQ(splash.lblLoading.Top() - splash.imgSplash.Top(), captionTop);
}

TEST_F(SplashTest, ColoursGoToControlsByTheirType) {
    SkinSampleForm window;
    const forms::Color labelBack = window.lblTitle.BackColor();
    const forms::Color labelFore = window.lblTitle.ForeColor();
    const forms::Color buttonFore = window.cmdGo.ForeColor();
    const forms::Color pictureFore = window.picLogo.ForeColor();

    ColorControlsByType(window, kColour1, kColour2, kColour3, kColour4);

    EXPECT_EQ(window.cmdGo.BackColor(), kColour1);
    EXPECT_EQ(window.cmdGo.ForeColor(), buttonFore);
    for (const forms::Control* listLike : {static_cast<forms::Control*>(&window.txtName),
                                           static_cast<forms::Control*>(&window.lvwItems)}) {
        EXPECT_EQ(listLike->BackColor(), kColour1) << listLike->Name();
        EXPECT_EQ(listLike->ForeColor(), kColour2) << listLike->Name();
    }
    EXPECT_EQ(window.picLogo.BackColor(), kColour3);
    EXPECT_EQ(window.picLogo.ForeColor(), pictureFore);
    EXPECT_EQ(window.lblTitle.BackColor(), labelBack);
    EXPECT_EQ(window.lblTitle.ForeColor(), labelFore);
}

TEST_F(SplashTest, ApplySkinColoursFromTheSkinObject) {
    SkinControl skin({kColour1, kColour2, kColour3, kColour4});
    gSkinObject = &skin;
    SkinSampleForm window;
    ApplySkin(window);
    EXPECT_EQ(window.cmdGo.BackColor(), kColour1);
    EXPECT_EQ(window.lvwItems.ForeColor(), kColour2);
    EXPECT_EQ(window.picLogo.BackColor(), kColour3);
    EXPECT_FALSE(forms::IsLoaded<FrmSplashForm>()) << "a skin at hand needs no splash";
}

TEST_F(SplashTest, SkinningBeforeTheSplashLoadsItHiddenWithoutOpeningTheMainWindow) {
    SkinSampleForm window;
    // This build's identity asks for no skin, so even the splash has none to give.
    EXPECT_THROW(ApplySkin(window), std::exception);
    ASSERT_TRUE(forms::IsLoaded<FrmSplashForm>());
    EXPECT_FALSE(frmSplash().Visible());
    EXPECT_FALSE(frmSplash().Timer2.Enabled());

    host.Advance(1s);
    EXPECT_FALSE(forms::IsLoaded<FrmMainForm>());
}

TEST_F(SplashTest, SkinningWhileTheSplashCountsLeavesItsTimerRunning) {
    MarkAsUsedBefore();
    frmSplash().Show();
    SkinSampleForm window;
    EXPECT_THROW(ApplySkin(window), std::exception);
    EXPECT_TRUE(frmSplash().Timer2.Enabled());

    host.Advance(150ms);
    EXPECT_TRUE(forms::IsLoaded<FrmMainForm>()) << "the main window still opens";
}

TEST_F(SplashTest, TheBannerTakesTheBrowsersPlaceInABoxALittleNarrower) {
    gBannerURL = "http://127.0.0.1/banner.html";
    for (const auto& [scale, margin] :
         {std::pair{forms::ScaleMode::Twips, 280.0}, std::pair{forms::ScaleMode::Pixels, 20.0}}) {
        SkinSampleForm window(scale);
        ShowBanner(window);

        ASSERT_NE(gBannerBox, nullptr);
        EXPECT_EQ(window.FindControl("picBox"), gBannerBox);
        EXPECT_EQ(gBannerBox->Left(), 300);
        EXPECT_EQ(gBannerBox->Top(), 150);
        EXPECT_EQ(gBannerBox->Width(), 6000 - margin);
        EXPECT_EQ(gBannerBox->Height(), 900);
        EXPECT_EQ(window.wbBanner.Container(), gBannerBox);
        EXPECT_EQ(window.wbBanner.Left(), 0);
        EXPECT_EQ(window.wbBanner.Top(), 0);
        EXPECT_EQ(window.wbBanner.Width(), 6000) << "the banner keeps its size";
        EXPECT_TRUE(window.wbBanner.Visible());
        EXPECT_FALSE(window.wbPicture.Visible());
        EXPECT_EQ(window.wbBanner.LastCommand(),
                  (forms::BrowserCommand{forms::BrowserCommand::Kind::Navigate, gBannerURL}));
    }
}

TEST_F(SplashTest, ABannerNeedsItsBrowserAndPicture) {
    struct NoBannerForm : forms::Form {
        NoBannerForm() : Form("frmNoBanner") {}
        forms::Image wbPicture{*this, "wbPicture"};
    } window;
    EXPECT_THROW(ShowBanner(window), std::exception);
    EXPECT_TRUE(window.wbPicture.Visible());
}

}  // namespace
