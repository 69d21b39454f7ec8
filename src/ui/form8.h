#pragma once

#include "forms/form.h"

// An invisible window whose load opens the help file.
class Form8Form : public forms::Form {
  public:
    Form8Form();

  protected:
    void Form_Load() override;

  private:
    // Opens a second help file; nothing asks for it.
    void OpenMsHelp();
};

Form8Form& Form8();
