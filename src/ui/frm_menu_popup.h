#pragma once

#include <cstdint>

#include "forms/buttons.h"
#include "forms/form.h"
#include "forms/labels.h"
#include "forms/timer.h"

// The tray menu: a small window that slides up from the taskbar with three commands and slides
// away again, when a command is used or after six seconds without the mouse over it. It measures
// in pixels; its movement sets Top in twips.
class FrmMenuPopUpForm : public forms::Form {
  public:
    FrmMenuPopUpForm();

    forms::SkinLabel lblName{*this, "lblName"};
    forms::CommandButton lblMenuClose{*this, "lblMenuClose"};
    forms::CommandButton mnuMaxmimaize{*this, "mnuMaxmimaize"};
    forms::CommandButton mnuClose{*this, "mnuClose"};
    forms::Timer tmrMenuPopup{*this, "tmrMenuPopup"};
    forms::Timer TmrEnablePopDown{*this, "TmrEnablePopDown"};
    forms::Timer tmrPopDown{*this, "tmrPopDown"};

    // Seconds without mouse movement over the window while it rests.
    std::int32_t lTimDown = 0;

  protected:
    void Form_Load() override;
    void Form_MouseMove(int button, int shift, double x, double y) override;

  private:
    void tmrMenuPopup_Timer();
    void TmrEnablePopDown_Timer();
    void tmrPopDown_Timer();
    void lblMenuClose_Click();
    void mnuMaxmimaize_Click();
    void mnuClose_Click();
    // Commands no control offers.
    void ShowProgram();
    void RestoreMainWindow();
    void ConfirmAndExitProgram();
    void ShowOptionsFromMenu();
    void ShowOptionsFromMenu2();
    void StartScanFromMenu();

    // Where the rise ends, in twips, measured at load from the desktop and the taskbar.
    std::int32_t RestingTop = 0;
};

FrmMenuPopUpForm& frmMenuPopUp();
