// The home-page alert's answers: restore the protected start page or keep the new one.
#include "engine/guarded.h"
#include "engine/home_page_shield.h"
#include "foundation/globals.h"
#include "ui/frm_home_page_changed_alert.h"
#include "ui/skin.h"

void FrmHomePageChangedAlertForm::Form_Load() {
    lblFrmHomePageProductName.SetCaption(gProgramName);
    if (gUseSkin) {
        // An alert without its skin still asks its question.
        RunIgnoringFailure([this] { ApplySkin(*this); });
    }
}

// The user asked for the old page back: a write the registry refused is said, once, not hidden
// behind a closing window.
void FrmHomePageChangedAlertForm::cmdYes_Click() {
    RestoreHomePageOrTell();
    Unload();
}

void FrmHomePageChangedAlertForm::cmdNO_Click() {
    KeepNewHomePage();
    Unload();
}
