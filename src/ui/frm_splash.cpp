// The splash window: its design, its load and the tick that opens the main window.
#include "ui/frm_splash.h"

#include <algorithm>

#include "forms/form_registry.h"
#include "forms/host.h"
#include "foundation/brand.h"
#include "foundation/globals.h"
#include "ui/design.h"
#include "ui/frm_main.h"
#include "ui/globals.h"
#include "ui/pictures.h"
#include "ui/skin.h"

namespace {

// The tick whose count, before it adds its 2, opens the main window: the 75th.
constexpr std::int16_t kCountBeforeLastTick = 148;

// Puts the window in the middle of the screen.
void CenterOnScreen(forms::Form& window) {
    const forms::PixelRect screen = forms::CurrentHost().ScreenRect();
    if (screen.IsEmpty()) {
        return;
    }
    const double left = screen.left * forms::kTwipsPerPixel +
                        (screen.Width() * forms::kTwipsPerPixel - window.Width()) / 2;
    const double top = screen.top * forms::kTwipsPerPixel +
                       (screen.Height() * forms::kTwipsPerPixel - window.Height()) / 2;
    window.Move(std::max(left, 0.0), std::max(top, 0.0));
}

}  // namespace

FrmSplashForm::FrmSplashForm() : Form("frmSplash") {
    SetBorderless(true);
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

void FrmSplashForm::Form_Load() {
    InitBrandSettings();
    if (gUseSkin) {
        gSkinObject = &skn;
        ApplySkin(*this);
    }
    CenterOnScreen(*this);
    CenterContent();
    Observe([this](const forms::Change& change) {
        if (change.control == nullptr && change.property == forms::Property::FrameInsets) {
            CenterContent();
        }
    });
    Timer2.SetEnabled(true);
}

// Closed by the user (the desktop's close command; the splash has no close box) before the main
// window opens, the start ends: nothing has been done yet that needs keeping. Once the main window
// is loaded the splash only waits, hidden, for the program's end.
void FrmSplashForm::Form_QueryUnload(bool& cancel, forms::UnloadMode mode) {
    if (mode != forms::UnloadMode::ControlMenu) {
        return;
    }
    if (forms::IsLoaded<FrmMainForm>()) {
        cancel = true;
        return;
    }
    forms::CurrentHost().EndProcess();
}

void FrmSplashForm::CenterContent() {
    // The caption keeps its place under the picture.
    const double captionLeft = lblLoading.Left() - imgSplash.Left();
    const double captionTop = lblLoading.Top() - imgSplash.Top();
    const double contentHeight = captionTop + lblLoading.Height();
    const double left = std::max(0.0, (ScaleWidth() - imgSplash.Width()) / 2);
    const double top = std::max(0.0, (ScaleHeight() - contentHeight) / 2);
    imgSplash.Move(left, top);
    lblLoading.Move(left + captionLeft, top + captionTop);
}

void FrmSplashForm::Timer2_Timer() {
    const std::int16_t before = intTemp;
    intTemp = static_cast<std::int16_t>(intTemp + 2);
    if (before != kCountBeforeLastTick) {
        return;
    }
    Timer2.SetEnabled(false);
    FrmMain().Show();
    Hide();
}
