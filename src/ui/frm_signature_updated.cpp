// The definitions notice: its design, its slide up, stay and slide down, and its OK.
#include "ui/frm_signature_updated.h"

#include "engine/spyware_alert.h"
#include "forms/form_registry.h"
#include "forms/host.h"
#include "foundation/globals.h"
#include "foundation/settings_store.h"
#include "ui/design.h"
#include "ui/frm_download.h"
#include "ui/skin.h"
#include "ui/skin_labels.h"
#include "ui/taskbar_slide.h"
#include "ui/tray.h"

using design::Place;

namespace {

constexpr double kRiseStep = 20;
constexpr double kFallStep = 40;
// The slide down ends below this Top, whatever the screen's size.
constexpr double kFallEndTop = 11167;

}  // namespace

FrmSignatureUpdatedForm::FrmSignatureUpdatedForm() : Form("frmSignatureUpdated") {
    design::SetUpFixedWindow(*this, "Live Update", 5310, 2055);
    SetShowInTaskbar(false);
    SetTopMost(true);
    // It tells, and takes the keyboard from nobody.
    SetTakesFocus(false);
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

void FrmSignatureUpdatedForm::Form_Load() {
    tmrEnablePopDownTimer.SetEnabled(false);
    tmrPopDown.SetEnabled(false);
    forms::Host& host = forms::CurrentHost();
    const TaskbarSlide slide =
        PlanTaskbarSlide(host.ScreenRect(), host.TaskbarRect(), ScaleWidth(), Height());
    SetTop(slide.startTop);
    SetLeft(slide.left);
    NoticeTargetTop = slide.restingTop;
    SetVisible(true);
    gAlertAnswered = false;
    tmrPopupSignatureUpdate.SetEnabled(true);
    if (gUseSkin) {
        CopyLabelsIntoSkinLabels(*this, SkinLabel1);
        ApplySkin(*this);
    }
}

void FrmSignatureUpdatedForm::tmrPopupSignatureUpdate_Timer() {
    SetVisible(true);
    if (Top() > NoticeTargetTop) {
        SetTop(Top() - kRiseStep);
    } else {
        tmrPopupSignatureUpdate.SetEnabled(false);
        tmrEnablePopDownTimer.SetEnabled(true);
    }
}

// The stay above the taskbar: one tick.
void FrmSignatureUpdatedForm::tmrEnablePopDownTimer_Timer() {
    tmrEnablePopDownTimer.SetEnabled(false);
    tmrPopDown.SetEnabled(true);
}

void FrmSignatureUpdatedForm::tmrPopDown_Timer() {
    SetVisible(true);
    SetTop(Top() + kFallStep);
    if (Top() > kFallEndTop) {
        tmrPopDown.SetEnabled(false);
        cmdUpdateSuccesfullOK_Click();
    }
}

void FrmSignatureUpdatedForm::cmdUpdateSuccesfullOK_Click() {
    SaveSetting(gProgramName, "OptionAndSettings", "SHOW", "false");
    tmrPopupSignatureUpdate.SetEnabled(false);
    // Only a download window that is still loaded has an icon to take away; reaching for one that
    // is gone would load it again, with a new icon.
    if (auto* download = forms::LoadedInstance<FrmDownloadForm>()) {
        gTray.RemoveIcon(*download);
    }
    Unload();
}
