#pragma once

#include <cstdint>

#include "forms/buttons.h"
#include "forms/control_array.h"
#include "forms/form.h"
#include "forms/labels.h"
#include "forms/timer.h"

// The notice after a live update: it slides up from the taskbar, stays seven seconds and slides
// back down. It measures in pixels; its movement sets Top in twips.
class FrmSignatureUpdatedForm : public forms::Form {
  public:
    FrmSignatureUpdatedForm();

    forms::Label Label1{*this, "Label1"};
    forms::SkinLabel lblUpdateInfo{*this, "lblUpdateInfo"};
    forms::CommandButton cmdUpdateSuccesfullOK{*this, "cmdUpdateSuccesfullOK"};
    // Element 0 is the pattern for skinned copies of plain labels.
    forms::ControlArray<forms::SkinLabel> SkinLabel1{*this, "SkinLabel1", {0}};
    forms::Timer tmrPopupSignatureUpdate{*this, "tmrPopupSignatureUpdate"};
    forms::Timer tmrEnablePopDownTimer{*this, "tmrEnablePopDownTimer"};
    forms::Timer tmrPopDown{*this, "tmrPopDown"};

    // The Top, in twips, at which the rise stops.
    std::int32_t NoticeTargetTop = 0;

  protected:
    void Form_Load() override;

  private:
    void tmrPopupSignatureUpdate_Timer();
    void tmrEnablePopDownTimer_Timer();
    void tmrPopDown_Timer();
    void cmdUpdateSuccesfullOK_Click();
};

FrmSignatureUpdatedForm& frmSignatureUpdated();
