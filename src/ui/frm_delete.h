#pragma once

#include "forms/buttons.h"
#include "forms/control_array.h"
#include "forms/form.h"
#include "forms/labels.h"
#include "forms/list_view.h"

// The files a removal could not delete, with advice and a way to copy the list.
class FrmDeleteForm : public forms::Form {
  public:
    FrmDeleteForm();

    forms::SkinLabel SkinLabel11{*this, "SkinLabel11"};
    forms::ListView lstProblem{*this, "lstProblem"};
    forms::SkinLabel SkinLabel2{*this, "SkinLabel2"};
    forms::CommandButton Command2{*this, "Command2"};
    forms::CommandButton Command1{*this, "Command1"};
    // Element 0 is the pattern for skinned copies of plain labels.
    forms::ControlArray<forms::SkinLabel> SkinLabel1{*this, "SkinLabel1", {0}};

  protected:
    void Form_Load() override;

  private:
    void Command1_Click();
    void Command2_Click();
};

FrmDeleteForm& frmDelete();
