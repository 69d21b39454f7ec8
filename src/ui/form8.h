#pragma once

#include "forms/form.h"

// An invisible window whose load opens the help file, Help.chm in the program folder, with the
// desktop's viewer for it, or else the same help as pages (HelpPages\index.html) in the browser.
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

// Opens the help: loads the help window, shows it, lets its events run once and unloads it again.
void OpenHelpWindow();
