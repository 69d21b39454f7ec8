// The program's language file: complete for the main window, the language chooser and the
// messages, and switching the main window between its languages.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "foundation/globals.h"
#include "localization/globals.h"
#include "localization/language_file.h"
#include "localization/translatable_texts.h"
#include "platform/text_case.h"
#include "platform/text_lines.h"
#include "support/forms_fixture.h"
#include "support/temporary_folder.h"
#include "support/temporary_program_folder.h"
#include "ui/frm_language.h"
#include "ui/frm_main.h"

namespace fs = std::filesystem;

namespace {

const fs::path kLanguageFile =
    fs::path(__FILE__).parent_path().parent_path().parent_path() / "data" / "Localization.xml";

using Group = std::map<std::string, std::string>;  // upper-cased key -> text

// The items of a group as the file writes them, one "<KEY>text</KEY>" per line.
Group GroupItems(const std::string& fileText, const std::string& language) {
    const std::optional<std::string> items = LanguageGroupItems(fileText, language);
    EXPECT_TRUE(items) << language;
    Group group;
    const std::regex item(R"(\s*<([^>]+)>(.*)</([^>]+)>\s*)");
    for (const std::string& line : SplitItemLines(items.value_or(""))) {
        if (line.find_first_not_of(" \t") == std::string::npos) {
            continue;
        }
        std::smatch match;
        EXPECT_TRUE(std::regex_match(line, match, item) && match[1] == match[3])
            << language << ": " << line;
        const std::string key = platform::ToUpperText(match[1].str());
        EXPECT_FALSE(group.contains(key)) << language << " repeats " << key;
        group[key] = match[2];
    }
    return group;
}

// The text a control shows for a file text.
std::string Shown(const std::string& fileText) {
    return platform::UpperCaseFirstCharacter(
        ReplaceIdentityPlaceholders(fileText, gProgramName, gCompanyName, gWebsite));
}

std::vector<TranslatableText> TextsOf(forms::Form& window) {
    std::vector<TranslatableText> texts;
    for (forms::Control* control : window.Controls()) {
        for (TranslatableText& text : TranslatableTexts(window, *control)) {
            texts.push_back(std::move(text));
        }
    }
    return texts;
}

class LanguageFileOfTheProgram : public FormsTest {
  protected:
    LanguageFileOfTheProgram() {
        ResetFoundationGlobals();
        ResetLocalizationGlobals();
        gProgramName = "Tollenwark";
        gCompanyName = "Tollenwark Labs";
        gWebsite = "tollenwark.example";
        fs::copy_file(kLanguageFile, program.path() / "Localization.xml");
        fileText = test_support::ReadHostFileOrEmpty(kLanguageFile);
        gLanguages = std::make_unique<clsLanguages>();
        gLanguages->LoadDefaultMessages();
    }

    // The upper-cased keys of the message table, as its template lists them.
    std::set<std::string> MessageKeys() const {
        gLanguages->makeLocalizationFile();
        std::set<std::string> keys;
        const std::regex item(R"(\t\t<(MSG_[A-Z0-9_]+)>.*)");
        for (const std::string& line : platform::SplitTextLines(
                 test_support::ReadHostFileOrEmpty(program.path() / "Localization.txt"))) {
            std::smatch match;
            if (std::regex_match(line, match, item)) {
                keys.insert(match[1]);
            }
        }
        return keys;
    }

    // Translates the window and checks every text: the file's text where the group holds the
    // key, the text it had before everywhere else.
    void ExpectTranslated(forms::Form& window, const std::string& language,
                          const std::vector<TranslatableText>& before) {
        const Group group = GroupItems(fileText, language);
        gLanguages->ChangeLanguage(window, language);
        const std::vector<TranslatableText> after = TextsOf(window);
        ASSERT_EQ(after.size(), before.size());
        for (std::size_t i = 0; i < after.size(); ++i) {
            const auto found = group.find(platform::ToUpperText(before[i].key));
            const std::string expected =
                found == group.end() ? before[i].text : Shown(found->second);
            EXPECT_EQ(after[i].text, expected) << language << ": " << before[i].key;
        }
    }

    test_support::TemporaryProgramFolder program;
    std::string fileText;
};

// Captions the program sets from its state, so the file leaves them alone.
const std::set<std::string> kStateCaptions = {"FRMMAIN_LBLDEFCOUNT",
                                              "FRMMAIN_LBLVERSION",
                                              "FRMMAIN_LBLDEFVERSION",
                                              "FRMMAIN_LBLDEFREMOVED",
                                              "FRMMAIN_LBLLASTSCAN",
                                              "FRMMAIN_LBLLASTFULLSCAN",
                                              "FRMMAIN_LBLMEMORYINSPECTED",
                                              "FRMMAIN_LBLREGISTRYINSPECTED",
                                              "FRMMAIN_LBLFILESFOLDERINSPECTED",
                                              "FRMMAIN_LBLTOTALNOOFRUNNINGITEMS",
                                              "FRMMAIN_LBLSOFTWAREFOUND",
                                              "FRMMAIN_LBLTRACESFOUND",
                                              "FRMMAIN_LBLREMOVEPICSOFTWAREFOUND",
                                              "FRMMAIN_LBLLASTUPDATE",
                                              "FRMMAIN_LBLHIDE"};

}  // namespace

TEST_F(LanguageFileOfTheProgram, EveryLanguageHoldsEveryTextOfTheTranslatedWindowsAndMessages) {
    EXPECT_EQ(LanguageGroupNames(fileText),
              (std::vector<std::string>{"English", "German", "French"}));

    FrmMainForm main;
    FrmLanguageForm chooser;
    std::set<std::string> controlKeys;
    std::set<std::string> expected = MessageKeys();
    ASSERT_EQ(expected.size(), 69u);
    for (forms::Form* window : std::initializer_list<forms::Form*>{&main, &chooser}) {
        for (const TranslatableText& text : TextsOf(*window)) {
            const std::string key = platform::ToUpperText(text.key);
            controlKeys.insert(key);
            if (!text.text.empty() && text.text != "-" && !kStateCaptions.contains(key)) {
                expected.insert(key);
            }
        }
    }

    for (const char* language : {"English", "German", "French"}) {
        const Group group = GroupItems(fileText, language);
        std::set<std::string> keys;
        for (const auto& [key, text] : group) {
            keys.insert(key);
            EXPECT_FALSE(text.empty()) << language << ": " << key;
            EXPECT_TRUE(controlKeys.contains(key) || key.starts_with("MSG_"))
                << language << " names no control: " << key;
        }
        for (const std::string& key : expected) {
            EXPECT_TRUE(keys.contains(key)) << language << " lacks " << key;
        }
    }
}

TEST_F(LanguageFileOfTheProgram, SwitchingToGermanAndBackChangesExactlyWhatTheFileHolds) {
    FrmMainForm window;
    const std::vector<TranslatableText> design = TextsOf(window);

    ExpectTranslated(window, "German", design);
    EXPECT_EQ(window.cmdScan.Caption(), "Jetzt prüfen");
    EXPECT_EQ(window.frmStatus.Caption(), "Tollenwark-Status");
    EXPECT_EQ(window.lblLastScan.Caption(), "Never") << "a value the program sets stays";
    EXPECT_EQ(gLanguages->getMessages("MSG_STOP"), "Möchten Sie die Prüfung wirklich anhalten?");
    EXPECT_EQ(gLanguages->getMessages("MSG_PAUSED"),
              "Tollenwark wurde angehalten.  Klicken Sie auf OK, um fortzufahren.");

    ExpectTranslated(window, "English", TextsOf(window));
    const Group english = GroupItems(fileText, "English");
    for (std::size_t i = 0; const TranslatableText& text : TextsOf(window)) {
        if (!english.contains(platform::ToUpperText(text.key))) {
            EXPECT_EQ(text.text, design[i].text) << text.key;
        }
        ++i;
    }
    EXPECT_EQ(window.cmdScan.Caption(), "Scan Now");
    EXPECT_EQ(window.cmdWebsite.Caption(), "Visit tollenwark.example");
    EXPECT_EQ(gLanguages->getMessages("MSG_PAUSED"),
              "Tollenwark has been paused.  Click OK to resume.");
    EXPECT_EQ(gCurrentLanguage, "English");
}

TEST_F(LanguageFileOfTheProgram, TheChooserAndTheMessagesSpeakFrench) {
    FrmLanguageForm chooser;
    ExpectTranslated(chooser, "French", TextsOf(chooser));
    EXPECT_EQ(chooser.Command3.Caption(), "Traduire ce programme");
    const Group french = GroupItems(fileText, "French");
    for (const std::string& key : MessageKeys()) {
        EXPECT_EQ(gLanguages->getMessages(key), Shown(french.at(key))) << key;
    }
}
