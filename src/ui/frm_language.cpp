// The language chooser: its design, the choice of a language and the language file's download.
#include "ui/frm_language.h"

#include <string_view>
#include <vector>

#include "forms/form_registry.h"
#include "foundation/file_queries.h"
#include "foundation/globals.h"
#include "foundation/program_folder.h"
#include "foundation/settings_store.h"
#include "localization/globals.h"
#include "platform/machine.h"
#include "platform/text_case.h"
#include "ui/design.h"
#include "ui/frm_main.h"

using design::Place;

namespace {

constexpr std::string_view kChooseLanguage = "Choose Language Here";

// The text between the first open tag and the first close tag after it; empty when either is
// missing.
std::string TextBetween(std::string_view text, std::string_view open, std::string_view close) {
    const std::size_t start = platform::FindIgnoringCase(text, open);
    if (start == std::string_view::npos) {
        return {};
    }
    const std::size_t from = start + open.size();
    const std::size_t end = platform::FindIgnoringCase(text, close, from);
    return end == std::string_view::npos ? std::string()
                                         : std::string(text.substr(from, end - from));
}

// The names of the language file's groups in file order, duplicates included; a group without its
// closing tag ends the list.
std::vector<std::string> LanguageGroupNames(std::string_view file) {
    constexpr std::string_view kGroupStart = "<LANGUAGE_GROUP";
    constexpr std::string_view kGroupEnd = "</LANGUAGE_GROUP>";
    std::vector<std::string> names;
    std::size_t position = 0;
    while (true) {
        const std::size_t start = platform::FindIgnoringCase(file, kGroupStart, position);
        if (start == std::string_view::npos) {
            break;
        }
        const std::size_t end = platform::FindIgnoringCase(file, kGroupEnd, position);
        if (end == std::string_view::npos || end < start) {
            break;
        }
        names.push_back(
            TextBetween(file.substr(start, end - start), "<LANGUAGE_NAME>", "</LANGUAGE_NAME>"));
        position = end + kGroupEnd.size();
    }
    return names;
}

}  // namespace

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

void FrmLanguageForm::Form_Load() {
    gLanguages->ChangeLanguage(*this, gCurrentLanguage);
    LoadLanguageList();
}

void FrmLanguageForm::Combo1_Click() {
    const std::string language = Combo1.Text();
    if (language == kChooseLanguage) {
        return;
    }
    SaveSetting(gProgramName, "Settings", "Language", language);
    gLanguages->ChangeLanguage(FrmMain(), language);
    gLanguages->ChangeLanguage(*this, language);
}

void FrmLanguageForm::Command1_Click() {}

void FrmLanguageForm::Command2_Click() {
    Unload();
}

void FrmLanguageForm::Command3_Click() {}

void FrmLanguageForm::LoadLanguageList() {
    Combo1.Clear();
    const std::string languageFile = ProgramFolderFile("Localization.xml");
    std::string bytes;
    if (!FileExists(languageFile) || platform::CurrentMachine().files().ReadBytes(
                                         languageFile, &bytes) != platform::ERROR_SUCCESS) {
        return;
    }
    for (const std::string& name : LanguageGroupNames(bytes)) {
        Combo1.AddItem(name);
        Combo1.SetText(GetSetting(gProgramName, "Settings", "Language", "English"));
    }
}

int FrmLanguageForm::ShellOpenDocument(const std::string&, int) {
    return 0;
}
