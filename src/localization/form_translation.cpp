// Translating a window and the message table through the language file.
#include <exception>

#include "forms/form.h"
#include "foundation/globals.h"
#include "foundation/path_text.h"
#include "foundation/program_folder.h"
#include "localization/cls_languages.h"
#include "localization/globals.h"
#include "localization/language_file.h"
#include "localization/translatable_texts.h"
#include "platform/machine.h"
#include "platform/text_case.h"

namespace {

// A translation is cosmetic: a text that cannot be set, or a file that cannot be read, leaves
// what was there and the rest goes on.
template <class Step>
void IgnoringFailure(Step step) {
    try {
        step();
    } catch (const std::exception&) {
    }
}

}  // namespace

void clsLanguages::ChangeLanguage(forms::Form& myForm, std::string_view strLang) {
    IgnoringFailure([&] { LoadLanguageItems(strLang); });
    // No group loaded yet, or one without items: the English group is the one every file has.
    if (itemLines_.size() <= 1) {
        IgnoringFailure([&] { LoadLanguageItems("English"); });
    }
    TranslateControls(myForm);
    TranslateMessages();
}

void clsLanguages::ChangeLanguageMDI(forms::Form& myForm, std::string_view strLang) {
    ChangeLanguage(myForm, strLang);
}

void clsLanguages::TranslateControls(forms::Form& myForm) const {
    for (forms::Control* control : myForm.Controls()) {
        IgnoringFailure([&] {
            for (const TranslatableText& text : TranslatableTexts(myForm, *control)) {
                const std::string translation = GetTranslation(text.key);
                if (!translation.empty()) {
                    IgnoringFailure([&] { text.replace(translation); });
                }
            }
        });
    }
}

void clsLanguages::TranslateMessages() {
    for (MessageSlot& slot : messageSlots_) {
        if (!slot.Used) {
            return;
        }
        std::string translation = GetTranslation(slot.Name);
        if (!translation.empty()) {
            slot.Message = std::move(translation);
        }
    }
}

void clsLanguages::LoadLanguageItems(std::string_view strLang) {
    gCurrentLanguage = std::string(strLang);
    const std::string path = ProgramFolderFile(kLanguageFileName);
    if (!LangFileExists(path)) {
        return;
    }
    const std::optional<std::string> fileText = ReadLanguageFile(path);
    if (!fileText) {
        return;
    }
    if (std::optional<std::string> items = LanguageGroupItems(*fileText, strLang)) {
        itemLines_ = SplitItemLines(*items);
    }
}

std::string clsLanguages::GetTranslation(std::string_view key) const {
    const std::string text = FindItemText(itemLines_, key);
    if (text.empty()) {
        return "";
    }
    return platform::UpperCaseFirstCharacter(
        ReplaceIdentityPlaceholders(text, gProgramName, gCompanyName, gWebsite));
}

bool clsLanguages::LangFileExists(std::string_view asPath) const {
    try {
        const auto found = platform::CurrentMachine().files().FindFile(
            asPath, platform::SearchScope::WithHiddenAndSystem);
        return found && platform::EqualsIgnoringCase(*found, LangTrimPath(asPath));
    } catch (const std::exception&) {
        return false;
    }
}

std::string clsLanguages::LangTrimPath(std::string_view asPath) {
    return GetFileNameFromPath(asPath);
}

std::string clsLanguages::ListLanguages() const {
    return "";
}
