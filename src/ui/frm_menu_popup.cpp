// The tray menu: its design, its slide up and down, and its three commands.
#include "ui/frm_menu_popup.h"

#include "engine/globals.h"
#include "engine/memory_shield.h"
#include "forms/form_registry.h"
#include "forms/host.h"
#include "forms/message_box.h"
#include "foundation/globals.h"
#include "foundation/settings_store.h"
#include "localization/globals.h"
#include "platform/version_block.h"
#include "ui/design.h"
#include "ui/frm_main.h"
#include "ui/main_navigation.h"
#include "ui/main_tray.h"
#include "ui/skin.h"
#include "ui/skip_on_failure.h"
#include "ui/taskbar_slide.h"
#include "ui/tray.h"

namespace {

// 3975 x 315 twips at left 180, the tops 60, 420, 780 and 1140 twips, in pixels.
constexpr double kLeft = 12;
constexpr double kWidth = 265;
constexpr double kHeight = 21;

// The slide, in twips per tick.
constexpr double kRiseStep = 80;
constexpr double kFallStep = 100;
// Seconds at rest without the mouse over the menu before it leaves.
constexpr int kIdleSecondsBeforeLeaving = 5;
// The fall ends once the top passes this far above the screen's bottom edge.
constexpr double kFallEndAboveScreenBottom = 2000;

void SaveStoppedState() {
    SaveSetting(gProgramName, "OptionAndSettings", "RESTART", "False");
    SaveSetting(gProgramName, "OptionAndSettings", "STATUS", "STOPPED");
}

void UseVerdana(forms::Control& control, double points) {
    control.SetFontName("Verdana");
    control.SetFontSize(points);
    control.SetFontBold(true);
}

}  // namespace

FrmMenuPopUpForm::FrmMenuPopUpForm() : Form("frmMenuPopUp") {
    design::SetUpFixedWindow(*this, "Menu", 4215, 1785);
    SetShowInTaskbar(false);
    SetTopMost(true);
    SetScaleMode(forms::ScaleMode::Pixels);
    design::Place(lblName, nullptr, "", kLeft, 4, kWidth, kHeight);
    UseVerdana(lblName, 12);
    lblName.SetAlignment(forms::Alignment::Center);
    design::Place(lblMenuClose, nullptr, "Close This Menu", kLeft, 28, kWidth, kHeight);
    lblMenuClose.SetCancel(true);
    design::Place(mnuMaxmimaize, nullptr, "Show Program", kLeft, 52, kWidth, kHeight);
    design::Place(mnuClose, nullptr, "Exit Program", kLeft, 76, kWidth, kHeight);
    for (forms::Control* button : {&lblMenuClose, &mnuMaxmimaize, &mnuClose}) {
        UseVerdana(*button, 8.25);
    }
    // The load starts the rise; the rest follows from the ticks.
    design::SetTimer(tmrMenuPopup, 1, false);
    design::SetTimer(TmrEnablePopDown, 1000, false);
    design::SetTimer(tmrPopDown, 10, false);

    lblMenuClose.OnClick = [this] { lblMenuClose_Click(); };
    mnuMaxmimaize.OnClick = [this] { mnuMaxmimaize_Click(); };
    mnuClose.OnClick = [this] { mnuClose_Click(); };
    tmrMenuPopup.OnTimer = [this] { tmrMenuPopup_Timer(); };
    TmrEnablePopDown.OnTimer = [this] { TmrEnablePopDown_Timer(); };
    tmrPopDown.OnTimer = [this] { tmrPopDown_Timer(); };
}

FrmMenuPopUpForm& frmMenuPopUp() {
    return forms::DefaultInstance<FrmMenuPopUpForm>();
}

void FrmMenuPopUpForm::Form_Load() {
    lblName.SetCaption(platform::ProgramVersionBlock().productName);
    lTimDown = 0;
    tmrPopDown.SetEnabled(false);
    TmrEnablePopDown.SetEnabled(false);
    // The main window disables both side-menu labels while a scan or a removal runs.
    const FrmMainForm& main = FrmMain();
    mnuClose.SetEnabled(main.lblResult.Enabled() || main.lblOptions.Enabled());
    mnuMaxmimaize.SetEnabled(!main.Visible());
    SetCaption(gProgramName);

    // Hidden behind the taskbar at first, then rising above it.
    forms::Host& host = forms::CurrentHost();
    const TaskbarSlide slide =
        PlanTaskbarSlide(host.ScreenRect(), host.TaskbarRect(), ScaleWidth(), Height());
    SetTop(slide.startTop);
    SetLeft(slide.left);
    RestingTop = slide.restingTop;
    SetVisible(true);
    tmrMenuPopup.SetEnabled(true);
    if (gUseSkin) {
        ApplySkin(*this);
    }
}

// Only the window's own background counts: the buttons and the label keep their mouse.
void FrmMenuPopUpForm::Form_MouseMove(int, int, double, double) {
    lTimDown = 0;
}

void FrmMenuPopUpForm::tmrMenuPopup_Timer() {
    SetVisible(true);
    if (Top() > RestingTop) {
        SetTop(Top() - kRiseStep);
    } else {
        tmrMenuPopup.SetEnabled(false);
        TmrEnablePopDown.SetEnabled(true);
    }
}

void FrmMenuPopUpForm::TmrEnablePopDown_Timer() {
    ++lTimDown;
    if (lTimDown > kIdleSecondsBeforeLeaving) {
        lTimDown = 0;
        TmrEnablePopDown.SetEnabled(false);
        tmrPopDown.SetEnabled(true);
    }
}

void FrmMenuPopUpForm::tmrPopDown_Timer() {
    SetVisible(true);
    SetTop(Top() + kFallStep);
    const double screenHeight = forms::CurrentHost().ScreenRect().Height() * forms::kTwipsPerPixel;
    if (Top() > screenHeight - kFallEndAboveScreenBottom) {
        tmrPopDown.SetEnabled(false);
        Unload();
    }
}

// The menu slides away from wherever it is.
void FrmMenuPopUpForm::lblMenuClose_Click() {
    TmrEnablePopDown.SetEnabled(false);
    tmrMenuPopup.SetEnabled(false);
    tmrPopDown.SetEnabled(true);
}

void FrmMenuPopUpForm::mnuMaxmimaize_Click() {
    ShowProgram();
}

// No question: the user chose Exit on the program's own menu.
void FrmMenuPopUpForm::mnuClose_Click() {
    SkipOnFailure(SaveStoppedState);
    SkipOnFailure([] { gTray.RemoveIcon(FrmMain()); });
    // The main window's unload ends the program; it unloads this menu first.
    SkipOnFailure([] { FrmMain().Unload(); });
    if (IsLoaded()) {
        lblMenuClose_Click();
    }
}

void FrmMenuPopUpForm::ShowProgram() {
    SkipOnFailure([] { ShowMainWindowRestored(FrmMain()); });
    lblMenuClose_Click();
}

void FrmMenuPopUpForm::RestoreMainWindow() {
    ShowProgram();
}

void FrmMenuPopUpForm::ConfirmAndExitProgram() {
    ShowProgram();
    const std::string question = gLanguages ? gLanguages->getMessages("MSG_CLOSING") : "";
    if (forms::MsgBox(question, forms::MsgBoxYesNo | forms::MsgBoxQuestion, "") ==
        forms::MsgBoxResult::Yes) {
        SkipOnFailure(SaveStoppedState);
        SkipOnFailure([] { gTray.RemoveIcon(FrmMain()); });
        forms::CurrentHost().EndProcess();
    }
    // No: the program goes back to the tray.
    SkipOnFailure([] {
        FrmMainForm& main = FrmMain();
        main.SetWindowState(forms::WindowState::Minimized);
        forms::CurrentHost().SetApplicationInTaskbar(false);
        main.Hide();
        EnableShieldTimers(main, true);
    });
    lblMenuClose_Click();
}

void FrmMenuPopUpForm::ShowOptionsFromMenu() {
    ShowProgram();
    SkipOnFailure([] { ShowMainPanels(FrmMain(), false, true, false, false); });
    lblMenuClose_Click();
}

void FrmMenuPopUpForm::ShowOptionsFromMenu2() {
    ShowOptionsFromMenu();
}

void FrmMenuPopUpForm::StartScanFromMenu() {
    ShowProgram();
    gStopScan = false;
    SkipOnFailure([] { FrmMain().lblStart_Click(); });
}
