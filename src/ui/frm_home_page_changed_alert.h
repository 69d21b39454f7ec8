#pragma once

#include "forms/buttons.h"
#include "forms/containers.h"
#include "forms/form.h"
#include "forms/labels.h"

// The home-page shield's alert: keep the protected start page or take the new one.
class FrmHomePageChangedAlertForm : public forms::Form {
  public:
    FrmHomePageChangedAlertForm();

    forms::PictureBox Picture1{*this, "Picture1"};
    forms::SkinLabel lblFrmHomePageProductName{*this, "lblFrmHomePageProductName"};
    forms::SkinLabel lblHomePageInfo{*this, "lblHomePageInfo"};
    forms::CommandButton cmdYes{*this, "cmdYes"};
    forms::CommandButton cmdNO{*this, "cmdNO"};

  protected:
    void Form_Load() override;

  private:
    void cmdYes_Click();
    void cmdNO_Click();
};

FrmHomePageChangedAlertForm& frmHomePageChangedAlert();
