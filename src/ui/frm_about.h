#pragma once

#include "forms/containers.h"
#include "forms/control_array.h"
#include "forms/form.h"
#include "forms/labels.h"
#include "platform/version_block.h"

// The about box: the program's name, owner, version and website.
class FrmAboutForm : public forms::Form {
  public:
    FrmAboutForm();

    forms::PictureBox Picture1{*this, "Picture1"};
    forms::Label Label1{*this, "Label1"};
    forms::Label Label3{*this, "Label3"};
    forms::Label lblCompany{*this, "lblCompany"};
    forms::Label Label2{*this, "Label2"};
    forms::Label lblVersion{*this, "lblVersion"};
    forms::Label Label4{*this, "Label4"};
    forms::Label lblWebsite{*this, "lblWebsite"};
    forms::Label Label5{*this, "Label5"};
    // Element 0 is the pattern for skinned copies of the labels.
    forms::ControlArray<forms::SkinLabel> SkinLabel1{*this, "SkinLabel1", {0}};

    // Shows the identity's names and the version of this block; the load shows this build's.
    void ShowProductDetails(const platform::VersionBlock& version);

  protected:
    void Form_Load() override;

  private:
    void lblWebsite_Click();
};

FrmAboutForm& frmAbout();
