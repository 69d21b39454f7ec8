// The language chooser: its design, the choice of a language and the language file's download.
#include "ui/frm_language.h"

#include "forms/form_registry.h"
#include "ui/design.h"

using design::Place;

FrmLanguageForm::FrmLanguageForm() : Form("frmLanguage") {
    design::SetUpFixedWindow(*this, "Language Selection", 5700, 2460);
    Move(3600, 3000);
    Place(Label1, nullptr, "Please select the language you would like to use:", 240, 240, 5220,
          255);
    Place(Combo1, nullptr, 240, 600, 5220, 315);
    Combo1.SetStyle(forms::ComboStyle::DropDownCombo);
    Combo1.SetText("Choose Language Here");
    Place(Command1, nullptr, "Check for language updates", 240, 1140, 2550, 420);
    Place(Command3, nullptr, "Translate this program", 2910, 1140, 2550, 420);
    Place(Command2, nullptr, "OK", 4260, 1800, 1200, 420);
    Command2.SetDefault(true);

    Combo1.OnClick = [this] { Combo1_Click(); };
    Command1.OnClick = [this] { Command1_Click(); };
    Command2.OnClick = [this] { Command2_Click(); };
    Command3.OnClick = [this] { Command3_Click(); };
}

FrmLanguageForm& frmLanguage() {
    return forms::DefaultInstance<FrmLanguageForm>();
}

void FrmLanguageForm::Form_Load() {}

void FrmLanguageForm::Combo1_Click() {}

void FrmLanguageForm::Command1_Click() {}

void FrmLanguageForm::Command2_Click() {}

void FrmLanguageForm::Command3_Click() {}

void FrmLanguageForm::LoadLanguageList() {}

int FrmLanguageForm::ShellOpenDocument(const std::string&, int) {
    return 0;
}
