// The tray menu: its design, its slide up and down, and its three commands.
#include "ui/frm_menu_popup.h"

#include "forms/form_registry.h"
#include "ui/design.h"

namespace {

// 3975 x 315 twips at left 180, the tops 60, 420, 780 and 1140 twips, in pixels.
constexpr double kLeft = 12;
constexpr double kWidth = 265;
constexpr double kHeight = 21;

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

void FrmMenuPopUpForm::Form_Load() {}

void FrmMenuPopUpForm::Form_MouseMove(int, int, double, double) {}

void FrmMenuPopUpForm::tmrMenuPopup_Timer() {}

void FrmMenuPopUpForm::TmrEnablePopDown_Timer() {}

void FrmMenuPopUpForm::tmrPopDown_Timer() {}

void FrmMenuPopUpForm::lblMenuClose_Click() {}

void FrmMenuPopUpForm::mnuMaxmimaize_Click() {}

void FrmMenuPopUpForm::mnuClose_Click() {}

void FrmMenuPopUpForm::RestoreMainWindow() {}

void FrmMenuPopUpForm::ConfirmAndExitProgram() {}

void FrmMenuPopUpForm::ShowOptionsFromMenu() {}

void FrmMenuPopUpForm::ShowOptionsFromMenu2() {}

void FrmMenuPopUpForm::StartScanFromMenu() {}
