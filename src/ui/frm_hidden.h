#pragma once

#include "forms/form.h"

// A window without controls, loaded at start-up and never shown.
class FrmHiddenForm : public forms::Form {
  public:
    FrmHiddenForm();
};

FrmHiddenForm& frmHidden();
