#pragma once

#include <cstdint>

#include "forms/containers.h"
#include "forms/form.h"
#include "forms/labels.h"
#include "forms/timer.h"
#include "ui/skin_control.h"

// The first window of the process: its load sets the identity and starts Timer2, whose 75th tick
// opens the main window and hides the splash. It stays loaded, hidden, for the skin it holds.
class FrmSplashForm : public forms::Form {
  public:
    FrmSplashForm();

    forms::Image imgSplash{*this, "imgSplash"};
    forms::Label lblLoading{*this, "lblLoading"};
    forms::Timer Timer2{*this, "Timer2"};
    SkinControl skn;

    // Grows by 2 a tick from 0 at load.
    std::int16_t intTemp = 0;

  protected:
    void Form_Load() override;
    void Form_QueryUnload(bool& cancel, forms::UnloadMode mode) override;

  private:
    void Timer2_Timer();
    // Centres the picture and its caption in the window's inner area, whatever border the desktop
    // gives the window.
    void CenterContent();
};

FrmSplashForm& frmSplash();
