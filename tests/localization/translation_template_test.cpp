// The translation template written into a temporary program folder and read back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/globals.h"
#include "localization/cls_languages.h"
#include "localization/globals.h"
#include "platform/text_lines.h"
#include "support/forms_fixture.h"
#include "support/temporary_folder.h"
#include "support/temporary_program_folder.h"
#include "translation_sample_window.h"

namespace {

using Lines = std::vector<std::string>;

const Lines kHead = {
    R"(<?xml version="1.0" encoding="UTF-8"?>)",
    "<XML_DIZ_INFO>",
    "\t<LOCALIZATION_FILE_INFO>",
    "\t\t<LOCALIZATION_FILE_VERSION>1.0</LOCALIZATION_FILE_VERSION>",
    "\t</LOCALIZATION_FILE_INFO>",
    R"(<LANGUAGE_GROUP xml:lang="en">)",
    "\t<LANGUAGE_NAME>English</LANGUAGE_NAME>",
    "\t<DESCRIPTION>This file contains various translations of program buttons, messages and menus "
    "in XML format.  The original document was created using translation software, and may sound "
    "strange when read by people.  We invite you to make modifications to existing languages and "
    "translate new languages.  Please send them to us so that we can update this file and make "
    "your translation available to all users.  Our current email address is located on our "
    "homepage which can be visited through the software or our program folder on your Start Menu. "
    " Before making changes to a localization file please use the program to download the most "
    "recent localization file using the 'Check for Language Updates' button in the Languages "
    "window.</DESCRIPTION>",
    "\t<TRANSLATION_ITEMS>",
};

const Lines kTail = {"\t</TRANSLATION_ITEMS>", "</LANGUAGE_GROUP>", "</XML_DIZ_INFO>"};

const Lines kSampleItems = {
    "\t\t<FRMSAMPLE_LBLTITLE>Title</FRMSAMPLE_LBLTITLE>",
    "\t\t<FRMSAMPLE_SKINLABEL1>Skinned</FRMSAMPLE_SKINLABEL1>",
    "\t\t<FRMSAMPLE_SKINLABEL1>Skinned too</FRMSAMPLE_SKINLABEL1>",
    "\t\t<FRMSAMPLE_CMDOK>OK</FRMSAMPLE_CMDOK>",
    "\t\t<FRMSAMPLE_FRABOX>Box</FRMSAMPLE_FRABOX>",
    "\t\t<FRMSAMPLE_CHKOPTION>Option</FRMSAMPLE_CHKOPTION>",
    "\t\t<FRMSAMPLE_OPTALONE0>Alone</FRMSAMPLE_OPTALONE0>",
    "\t\t<FRMSAMPLE_OPTCHOICE0>First choice</FRMSAMPLE_OPTCHOICE0>",
    "\t\t<FRMSAMPLE_OPTCHOICE1>Second choice</FRMSAMPLE_OPTCHOICE1>",
    "\t\t<FRMSAMPLE_MNUFILE0>File</FRMSAMPLE_MNUFILE0>",
    "\t\t<FRMSAMPLE_MNUFILEITEM0>Open</FRMSAMPLE_MNUFILEITEM0>",
    "\t\t<FRMSAMPLE_MNUFILEITEM1>Exit</FRMSAMPLE_MNUFILEITEM1>",
    "\t\t<FRMSAMPLE_TABPAGES_TABS1>General</FRMSAMPLE_TABPAGES_TABS1>",
    "\t\t<FRMSAMPLE_TABPAGES_TABS2>Advanced</FRMSAMPLE_TABPAGES_TABS2>",
    "\t\t<FRMSAMPLE_LVWITEMS_COL1>Name</FRMSAMPLE_LVWITEMS_COL1>",
    "\t\t<FRMSAMPLE_LVWITEMS_COL2>Size</FRMSAMPLE_LVWITEMS_COL2>",
};

class TranslationTemplate : public FormsTest {
  protected:
    TranslationTemplate() {
        ResetLocalizationGlobals();
        ResetFoundationGlobals();
    }

    Lines WrittenLines() const {
        const std::string bytes =
            test_support::ReadHostFileOrEmpty(program.path() / "Localization.txt");
        EXPECT_TRUE(bytes.ends_with("\r\n")) << "every line ends in CR LF";
        EXPECT_EQ(bytes.find("\r\n\n"), std::string::npos);
        return platform::SplitTextLines(bytes);
    }

    test_support::TemporaryProgramFolder program;
    clsLanguages languages;
};

Lines Concatenated(std::initializer_list<Lines> parts) {
    Lines all;
    for (const Lines& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

}  // namespace

TEST_F(TranslationTemplate, ListsTheLoadedWindowsThenEveryMessageBetweenTheFixedLines) {
    frmSample();
    languages.setMessage("MSG_First", "first [ProgramName] text");
    languages.setMessage("msg_second", "Start > Programs & more");
    program.WriteFile("Localization.txt", "an old template, replaced whole");

    languages.makeLocalizationFile();

    EXPECT_EQ(WrittenLines(),
              Concatenated({kHead,
                            kSampleItems,
                            {"\t\t<MSG_FIRST>first [ProgramName] text</MSG_FIRST>",
                             "\t\t<MSG_SECOND>Start > Programs & more</MSG_SECOND>"},
                            kTail}));
}

TEST_F(TranslationTemplate, LoadsTheSecondaryWindowsFirstAndListsThemInLoadOrder) {
    frmOther();
    bool loaded = false;

    languages.makeLocalizationFile([&loaded] {
        frmSample();
        loaded = true;
    });

    ASSERT_TRUE(loaded);
    EXPECT_EQ(
        WrittenLines(),
        Concatenated(
            {kHead, {"\t\t<FRMOTHER_CMDCLOSE>Close</FRMOTHER_CMDCLOSE>"}, kSampleItems, kTail}));
}

TEST_F(TranslationTemplate, ReadsBackAsALanguageFileThatRestoresEveryText) {
    languages.LoadDefaultMessages();
    frmSample().SkinLabel1(1).SetCaption("Skinned");  // one key, one text
    languages.makeLocalizationFile();
    std::filesystem::rename(program.path() / "Localization.txt",
                            program.path() / "Localization.xml");

    FrmSampleForm renamed;
    for (forms::Control* control : renamed.Controls()) {
        if (auto* captioned = forms::AsCaptioned(*control)) {
            captioned->SetCaption("changed");
        }
    }
    renamed.tabPages.Tabs(2).SetCaption("changed");
    renamed.lvwItems.ColumnHeaders(2).SetText("changed");
    clsLanguages reader;
    reader.LoadDefaultMessages();
    reader.ChangeLanguage(renamed, "English");

    EXPECT_EQ(renamed.lblTitle.Caption(), "Title");
    EXPECT_EQ(renamed.SkinLabel1(1).Caption(), "Skinned");
    EXPECT_EQ(renamed.optChoice(1).Caption(), "Second choice");
    EXPECT_EQ(renamed.mnuFileItem(1).Caption(), "Exit");
    EXPECT_EQ(renamed.tabPages.Tabs(2).Caption(), "Advanced");
    EXPECT_EQ(renamed.lvwItems.ColumnHeaders(2).Text(), "Size");
    EXPECT_EQ(reader.getMessages("MSG_CONFIRM4"),
              "Start > Programs > Accessories > System Tools > System Restore");
}
