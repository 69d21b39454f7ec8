#pragma once

#include "forms/buttons.h"
#include "forms/control_array.h"
#include "forms/form.h"
#include "forms/labels.h"
#include "forms/text_box.h"

// The scan report, shown as text.
class FrmReportForm : public forms::Form {
  public:
    FrmReportForm();

    forms::TextBox txtReport{*this, "txtReport"};
    forms::CommandButton cmdOk{*this, "cmdOk"};
    // Element 0 is the pattern for skinned copies of plain labels.
    forms::ControlArray<forms::SkinLabel> SkinLabel1{*this, "SkinLabel1", {0}};

  protected:
    void Form_Load() override;

  private:
    void cmdOk_Click();
};

FrmReportForm& frmReport();
