#pragma once

#include <string>

#include "forms/buttons.h"
#include "forms/form.h"
#include "forms/labels.h"
#include "forms/list_boxes.h"

// The language chooser: the languages of the language file, its download and its editing. A
// choice translates the main window and the chooser at once and is saved.
class FrmLanguageForm : public forms::Form {
  public:
    FrmLanguageForm();

    forms::SkinLabel Label1{*this, "Label1"};
    forms::ComboBox Combo1{*this, "Combo1"};
    forms::CommandButton Command1{*this, "Command1"};
    forms::CommandButton Command3{*this, "Command3"};
    forms::CommandButton Command2{*this, "Command2"};

  protected:
    void Form_Load() override;
    // Abandons a running download.
    void Form_Unload(bool& cancel) override;

  private:
    void Combo1_Click();
    // Fetches the newest language file from the language server.
    void Command1_Click();
    void Command2_Click();
    // Opens the language file for translating.
    void Command3_Click();
    // Fills Combo1 with the language names of the language file.
    void LoadLanguageList();

    bool downloading_ = false;
    bool downloadAbandoned_ = false;
};

FrmLanguageForm& frmLanguage();
