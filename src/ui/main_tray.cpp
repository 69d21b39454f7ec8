// The main window in the tray: Send to Tray and the tray icon's clicks.
#include "ui/main_tray.h"

#include "forms/form_registry.h"
#include "forms/host.h"
#include "foundation/globals.h"
#include "foundation/settings_store.h"
#include "platform/version_block.h"
#include "ui/frm_main.h"
#include "ui/frm_menu_popup.h"
#include "ui/tray.h"

// Normal first, then shown: the window comes back in one step, never shown minimised on the way.
// Its resize then runs again at the showing and records that it is no longer in the tray.
void ShowMainWindowRestored(FrmMainForm& window) {
    window.SetWindowState(forms::WindowState::Normal);
    window.Show();
}

void FrmMainForm::Command5_Click() {
    SetWindowState(forms::WindowState::Minimized);
    gTray.ShowIcon(*this);
    if (!gTray.ShowsIconFor(*this)) {
        // A desktop without a notification area: hidden, the window could not be brought back,
        // so it stays minimised in the taskbar and the next start shows it as usual.
        return;
    }
    forms::CurrentHost().SetApplicationInTaskbar(false);
    Hide();
    // Loading the tray menu slides it up: it shows where the program went.
    frmMenuPopUp().mnuMaxmimaize.SetEnabled(true);
    gTray.ChangeToolTip(*this, platform::ProgramVersionBlock().productName);
    SaveSetting(gProgramName, "Settings", "Minimized", "Yes");
}

// The icon's messages come through their own callback, never as mouse movement over the window.
void FrmMainForm::Form_TrayMessage(int message) {
    switch (message) {
        case forms::tray_message::LeftButtonDown:
        case forms::tray_message::RightButtonDown:
            frmMenuPopUp().Show();
            break;
        case forms::tray_message::LeftDoubleClick:
        case forms::tray_message::RightDoubleClick:
            ShowMainWindowRestored(*this);
            // A menu that is not there needs no hiding; loading it would slide it up.
            if (auto* menu = forms::LoadedInstance<FrmMenuPopUpForm>()) {
                menu->Hide();
            }
            break;
        default:
            break;
    }
}
