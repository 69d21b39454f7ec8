#pragma once

#include <optional>

#include "engine/process_stopping.h"
#include "forms/buttons.h"
#include "forms/control_array.h"
#include "forms/form.h"
#include "forms/labels.h"
#include "forms/timer.h"

// The memory shield's alert: a running spyware program, to be stopped or allowed.
class FrmSpywareFoundAlertForm : public forms::Form {
  public:
    FrmSpywareFoundAlertForm();

    forms::SkinLabel lblProductName{*this, "lblProductName"};
    forms::SkinLabel Label1{*this, "Label1"};
    forms::SkinLabel SkinLabel4{*this, "SkinLabel4"};
    forms::SkinLabel lblAlertFileName{*this, "lblAlertFileName"};
    forms::SkinLabel SkinLabel5{*this, "SkinLabel5"};
    forms::SkinLabel lblAlertCompanyName{*this, "lblAlertCompanyName"};
    forms::SkinLabel SkinLabel2{*this, "SkinLabel2"};
    forms::SkinLabel SkinLabel3{*this, "SkinLabel3"};
    forms::CommandButton cmdYes{*this, "cmdYes"};
    forms::CommandButton cmdNO{*this, "cmdNO"};
    // Element 0 is the pattern for skinned copies of plain labels.
    forms::ControlArray<forms::SkinLabel> SkinLabel1{*this, "SkinLabel1", {0}};
    forms::Timer tmrBlink{*this, "tmrBlink"};

    // The running program the alert asks about; STOP stops that very process. Without one (the
    // window opened for its look) STOP stops programs by the file name shown.
    std::optional<RunningProgram> AlertedProgram;

  protected:
    void Form_Load() override;
    // The close box is refused until STOP or ALLOW answers: the waiting memory check needs one.
    void Form_QueryUnload(bool& cancel, forms::UnloadMode mode) override;

  private:
    void cmdYes_Click();
    void cmdNO_Click();
    void tmrBlink_Timer();
    void TakeAnswer();
};

FrmSpywareFoundAlertForm& frmSpywareFoundAlert();
