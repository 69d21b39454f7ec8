#pragma once

#include <cstdint>

#include "forms/buttons.h"
#include "forms/containers.h"
#include "forms/form.h"
#include "forms/labels.h"
#include "forms/text_box.h"
#include "forms/timer.h"

// The live update's progress window, with its own tray icon and a two-picture animation.
class FrmDownloadForm : public forms::Form {
  public:
    FrmDownloadForm();

    // Shown one at a time.
    forms::PictureBox picDown{*this, "picDown"};
    forms::PictureBox picUp{*this, "picUp"};
    forms::SkinLabel lblProduct{*this, "lblProduct"};
    forms::SkinLabel lblStatus{*this, "lblStatus"};
    forms::TextBox txtStatus{*this, "txtStatus"};
    forms::CommandButton Command1{*this, "Command1"};
    forms::Timer tmrBlink{*this, "tmrBlink"};

    // The animation's tick count; it carries on from one loading of the window to the next.
    static inline std::int32_t BlinkTick = 0;

  protected:
    void Form_Load() override;
    void Form_Unload(bool& cancel) override;
    void Form_TrayMessage(int message) override;

  private:
    void Command1_Click();
    void tmrBlink_Timer();
};

FrmDownloadForm& frmDownload();
