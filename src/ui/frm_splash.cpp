// The splash window: its design, its load and the tick that opens the main window.
#include "ui/frm_splash.h"

#include "forms/form_registry.h"
#include "ui/design.h"
#include "ui/pictures.h"

FrmSplashForm::FrmSplashForm() : Form("frmSplash") {
    design::SetUpFixedWindow(*this, "", 6300, 3420);
    Move(3000, 2400);
    design::Place(imgSplash, nullptr, 0, 0, 6300, 3000);
    imgSplash.SetPicture(pictures::kSplash);
    design::Place(lblLoading, nullptr, "Loading, please wait...", 120, 3060, 6060, 255);
    lblLoading.SetAlignment(forms::Alignment::Center);
    design::SetTimer(Timer2, 2, false);
    Timer2.OnTimer = [this] { Timer2_Timer(); };
}

FrmSplashForm& frmSplash() {
    return forms::DefaultInstance<FrmSplashForm>();
}

void FrmSplashForm::Form_Load() {}

void FrmSplashForm::Timer2_Timer() {}
