// The language chooser: its design, the choice of a language and the language file's download.
#include "ui/frm_language.h"

#include <optional>
#include <string>
#include <string_view>

#include "forms/form_registry.h"
#include "forms/host.h"
#include "forms/message_box.h"
#include "foundation/file_queries.h"
#include "foundation/globals.h"
#include "foundation/http_access.h"
#include "foundation/program_folder.h"
#include "foundation/settings_store.h"
#include "localization/globals.h"
#include "localization/language_file.h"
#include "platform/machine.h"
#include "platform/text_encoding.h"
#include "ui/design.h"
#include "ui/frm_main.h"
#include "ui/language_download.h"
#include "ui/skin.h"

using design::Place;

namespace {

constexpr std::string_view kChooseLanguage = "Choose Language Here";

std::string LanguageFilePath() {
    return ProgramFolderFile(kLanguageFileName);
}

std::string SavedLanguage() {
    return GetSetting(gProgramName, "Settings", "Language", "English");
}

// Sets the flag for its life, however the download ends.
class RaisedFlag {
  public:
    explicit RaisedFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ~RaisedFlag() { flag_ = false; }
    RaisedFlag(const RaisedFlag&) = delete;
    RaisedFlag& operator=(const RaisedFlag&) = delete;

  private:
    bool& flag_;
};

}  // namespace

FrmLanguageForm::FrmLanguageForm() : Form("frmLanguage") {
    design::SetUpFixedWindow(*this, "Language Selection", 5700, 2460);
    Move(3600, 3000);
    Place(Label1, nullptr, "Please select the language you would like to use:", 240, 240, 5220,
          255);
    Place(Combo1, nullptr, 240, 600, 5220, 315);
    Combo1.SetStyle(forms::ComboStyle::DropDownCombo);
    Combo1.SetText(std::string(kChooseLanguage));
    Place(Command1, nullptr, "Check for language updates", 240, 1140, 2550, 420);
    Place(Command3, nullptr, "Translate this program", 2910, 1140, 2550, 420);
    Place(Command2, nullptr, "OK", 4260, 1800, 1200, 420);
    Command2.SetDefault(true);
    Command2.SetCancel(true);

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
    SetCaption(gLanguages->getMessages("MSG_TITLELANGUAGE"));
    LoadLanguageList();
    if (gUseSkin) {
        ApplySkin(*this);
    }
}

void FrmLanguageForm::Combo1_Click() {
    const std::string language = Combo1.Text();
    if (language == kChooseLanguage) {
        return;
    }
    SaveSetting(gProgramName, "Settings", "Language", language);
    // Only a main window that is there is translated: loading one would run the program's start-up
    // again from inside this handler.
    if (FrmMainForm* main = forms::LoadedInstance<FrmMainForm>()) {
        gLanguages->ChangeLanguage(*main, language);
    }
    gLanguages->ChangeLanguage(*this, language);
}

// One download at a time. The old file is replaced in one step, and only by a whole language file
// that keeps its languages; otherwise it stays and the user is told. A download that this window
// does not outlive (closed by itself or with the main window) is abandoned, never applied. The
// windows keep their texts until the next choice.
void FrmLanguageForm::Command1_Click() {
    if (downloading_) {
        return;
    }
    TextAnswer answer;
    {
        const RaisedFlag running(downloading_);
        downloadAbandoned_ = false;
        TextRequest request;
        request.deadline = kLongAnswerDeadline;
        request.abandoned = [this] { return downloadAbandoned_; };
        answer = GetTextAnswer(LanguageFileAddress(gProgramId), request);
    }
    if (downloadAbandoned_) {
        return;
    }
    // The answer as the bytes that came over the wire: the HTTP procedures read bodies as
    // Windows-1252, one to one over all 256 byte values, so converting back restores the file's
    // UTF-8 bytes exactly.
    const std::optional<std::string> languageFile =
        LanguageFileFromDownload(platform::Utf8ToWindows1252(answer.text),
                                 ReadLanguageFile(LanguageFilePath()).value_or(""));
    if (!languageFile || platform::CurrentMachine().files().ReplaceBytes(
                             LanguageFilePath(), *languageFile) != platform::ERROR_SUCCESS) {
        forms::MsgBox(gLanguages->getMessages("MSG_LANGUAGE_FAILED"),
                      forms::MsgBoxOkOnly | forms::MsgBoxExclamation);
        return;
    }
    LoadLanguageList();
    forms::MsgBox(gLanguages->getMessages("MSG_DOWNLOADED"), forms::MsgBoxOkOnly);
}

void FrmLanguageForm::Form_Unload(bool&) {
    downloadAbandoned_ = true;
}

void FrmLanguageForm::Command2_Click() {
    Unload();
}

void FrmLanguageForm::Command3_Click() {
    if (FileExists(LanguageFilePath())) {
        forms::CurrentHost().OpenDocument(LanguageFilePath());
    }
}

// Every group is listed in file order, duplicates included; the text shows the saved language even
// when the list lacks it.
void FrmLanguageForm::LoadLanguageList() {
    Combo1.Clear();
    if (!FileExists(LanguageFilePath())) {
        return;
    }
    const std::optional<std::string> fileText = ReadLanguageFile(LanguageFilePath());
    // Nothing stores the language while the list fills: it is read once.
    const std::string saved = SavedLanguage();
    for (const std::string& name : LanguageGroupNames(fileText.value_or(""))) {
        Combo1.AddItem(name);
        Combo1.SetText(saved);
    }
}
