// The translation template: a language file listing every text a translator can replace.
#include <exception>

#include "forms/form.h"
#include "forms/form_registry.h"
#include "foundation/program_folder.h"
#include "localization/cls_languages.h"
#include "localization/translatable_texts.h"
#include "platform/machine.h"
#include "platform/text_case.h"
#include "platform/text_lines.h"

namespace {

constexpr std::string_view kTemplateFileName = "Localization.txt";

constexpr const char* kTemplateHead[] = {
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>",
    "<XML_DIZ_INFO>",
    "\t<LOCALIZATION_FILE_INFO>",
    "\t\t<LOCALIZATION_FILE_VERSION>1.0</LOCALIZATION_FILE_VERSION>",
    "\t</LOCALIZATION_FILE_INFO>",
    "<LANGUAGE_GROUP xml:lang=\"en\">",
    "\t<LANGUAGE_NAME>English</LANGUAGE_NAME>",
    "\t<DESCRIPTION>This file contains various translations of program buttons, messages and "
    "menus in XML format.  The original document was created using translation software, and may "
    "sound strange when read by people.  We invite you to make modifications to existing "
    "languages and translate new languages.  Please send them to us so that we can update this "
    "file and make your translation available to all users.  Our current email address is located "
    "on our homepage which can be visited through the software or our program folder on your "
    "Start Menu.  Before making changes to a localization file please use the program to download "
    "the most recent localization file using the 'Check for Language Updates' button in the "
    "Languages window.</DESCRIPTION>",
    "\t<TRANSLATION_ITEMS>",
};

constexpr const char* kTemplateTail[] = {
    "\t</TRANSLATION_ITEMS>",
    "</LANGUAGE_GROUP>",
    "</XML_DIZ_INFO>",
};

// Texts are written as they stand, without escaping: the loader takes them literally too.
std::string ItemLine(std::string_view key, std::string_view text) {
    const std::string tag = platform::ToUpperText(key);
    return "\t\t<" + tag + ">" + std::string(text) + "</" + tag + ">";
}

void AppendWindowTexts(std::vector<std::string>& lines) {
    for (forms::Form* window : forms::LoadedForms()) {
        for (forms::Control* control : window->Controls()) {
            for (const TranslatableText& text : TranslatableTexts(*window, *control)) {
                lines.push_back(ItemLine(text.key, text.text));
            }
        }
    }
}

}  // namespace

void clsLanguages::makeLocalizationFile(const std::function<void()>& loadSecondaryForms) {
    std::vector<std::string> lines(std::begin(kTemplateHead), std::end(kTemplateHead));
    if (loadSecondaryForms) {
        try {
            loadSecondaryForms();
        } catch (const std::exception&) {
            // The windows that did load are listed all the same.
        }
    }
    AppendWindowTexts(lines);
    for (const MessageSlot& slot : messageSlots_) {
        if (!slot.Used) {
            break;
        }
        lines.push_back(ItemLine(slot.Name, slot.Message));
    }
    lines.insert(lines.end(), std::begin(kTemplateTail), std::end(kTemplateTail));
    // Written in one step, so a failed write leaves the previous template whole.
    platform::CurrentMachine().files().ReplaceBytes(ProgramFolderFile(kTemplateFileName),
                                                    platform::JoinTextLines(lines));
}
