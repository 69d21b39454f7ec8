// The definitions notice: its design, its slide up, stay and slide down, and its OK.
#include "ui/frm_signature_updated.h"

#include "forms/form_registry.h"
#include "ui/design.h"

using design::Place;

FrmSignatureUpdatedForm::FrmSignatureUpdatedForm() : Form("frmSignatureUpdated") {
    design::SetUpFixedWindow(*this, "Live Update", 5310, 2055);
    SetShowInTaskbar(false);
    SetTopMost(true);
    SetScaleMode(forms::ScaleMode::Pixels);
    Place(Label1, nullptr, "Live Update Finished", 12, 8, 330, 20);
    design::SetHeadingFont(Label1, 10);
    Place(lblUpdateInfo, nullptr, "All application spyware/adware definitions have been updated.",
          12, 36, 330, 52);
    lblUpdateInfo.SetWordWrap(true);
    Place(cmdUpdateSuccesfullOK, nullptr, "OK", 262, 100, 80, 26);
    design::PlaceSkinLabelPattern(SkinLabel1, nullptr);
    design::SetTimer(tmrPopupSignatureUpdate, 10, true);
    design::SetTimer(tmrEnablePopDownTimer, 7000, true);
    design::SetTimer(tmrPopDown, 10, true);

    cmdUpdateSuccesfullOK.OnClick = [this] { cmdUpdateSuccesfullOK_Click(); };
    tmrPopupSignatureUpdate.OnTimer = [this] { tmrPopupSignatureUpdate_Timer(); };
    tmrEnablePopDownTimer.OnTimer = [this] { tmrEnablePopDownTimer_Timer(); };
    tmrPopDown.OnTimer = [this] { tmrPopDown_Timer(); };
}

FrmSignatureUpdatedForm& frmSignatureUpdated() {
    return forms::DefaultInstance<FrmSignatureUpdatedForm>();
}

void FrmSignatureUpdatedForm::Form_Load() {}

void FrmSignatureUpdatedForm::tmrPopupSignatureUpdate_Timer() {}

void FrmSignatureUpdatedForm::tmrEnablePopDownTimer_Timer() {}

void FrmSignatureUpdatedForm::tmrPopDown_Timer() {}

void FrmSignatureUpdatedForm::cmdUpdateSuccesfullOK_Click() {}
