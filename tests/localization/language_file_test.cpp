#include "localization/language_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/program_folder.h"
#include "support/temporary_program_folder.h"

namespace {

using Lines = std::vector<std::string>;

// A language group as translators write it, item lines ending in CR LF.
std::string Group(const std::string& openTag, const std::string& name, const Lines& items) {
    std::string text = openTag + "\r\n\t<LANGUAGE_NAME>" + name + "</LANGUAGE_NAME>\r\n" +
                       "\t<TRANSLATION_ITEMS>\r\n";
    for (const std::string& item : items) {
        text += "\t\t" + item + "\r\n";
    }
    return text + "\t</TRANSLATION_ITEMS>\r\n</LANGUAGE_GROUP>\r\n";
}

std::string Group(const std::string& name, const Lines& items) {
    return Group("<LANGUAGE_GROUP>", name, items);
}

std::string Translation(const std::string& fileText, const std::string& language,
                        const std::string& key) {
    const std::optional<std::string> items = LanguageGroupItems(fileText, language);
    return items ? FindItemText(SplitItemLines(*items), key) : "<no group>";
}

}  // namespace

TEST(LanguageFile, FindsGroupsWhateverTheLetterCaseOfTagsAndNames) {
    const std::string file = "<?xml version=\"1.0\"?>\r\n<XML_DIZ_INFO>\r\n" +
                             Group("English", {"<FrmMain_cmdScan>Scan Now</FrmMain_cmdScan>"}) +
                             "<language_group xml:lang=\"de\">\r\n"
                             "\t<Language_Name>Deutsch</LANGUAGE_name>\r\n"
                             "\t<translation_ITEMS>\r\n"
                             "\t\t<frmmain_CMDSCAN>Jetzt prüfen</FRMMAIN_cmdscan>\r\n"
                             "\t</Translation_Items>\r\n"
                             "</Language_Group>\r\n</XML_DIZ_INFO>\r\n";

    EXPECT_EQ(Translation(file, "DEUTSCH", "FrmMain_cmdScan"), "Jetzt prüfen");
    EXPECT_EQ(Translation(file, "english", "FRMMAIN_CMDSCAN"), "Scan Now");
    EXPECT_EQ(Translation(file, "Français", "FrmMain_cmdScan"), "<no group>");
    EXPECT_EQ(LanguageGroupNames(file), (Lines{"English", "Deutsch"}));
}

TEST(LanguageFile, TheFirstGroupAndTheFirstLineOfAKeyWin) {
    const std::string file =
        Group("French", {"<K_A>premier</K_A>", "<k_a>second</k_a>"}) +
        Group("French", {"<K_A>autre groupe</K_A>", "<K_B>seulement ici</K_B>"});

    EXPECT_EQ(Translation(file, "French", "K_A"), "premier");
    EXPECT_EQ(Translation(file, "French", "K_B"), "");
    EXPECT_EQ(LanguageGroupNames(file), (Lines{"French", "French"}));
}

TEST(LanguageFile, TakesItemTextsLiterallyAndOnlyWithinTheirLine) {
    const std::string file =
        Group("English", {"<MSG_CONFIRM4>Start > Programs > System Tools</MSG_CONFIRM4>",
                          "<Amp>Tom &amp; Jerry</Amp>", "<Blanks>  two blanks around  </Blanks>",
                          "<Split>first half", "second half</Split>", "<Empty></Empty>",
                          "<Prefix>a key is the whole tag name</Prefix>"});

    EXPECT_EQ(Translation(file, "English", "MSG_CONFIRM4"), "Start > Programs > System Tools");
    EXPECT_EQ(Translation(file, "English", "Amp"), "Tom &amp; Jerry");
    EXPECT_EQ(Translation(file, "English", "Blanks"), "  two blanks around  ");
    EXPECT_EQ(Translation(file, "English", "Split"), "");
    EXPECT_EQ(Translation(file, "English", "Empty"), "");
    EXPECT_EQ(Translation(file, "English", "Prefixes"), "");
    EXPECT_EQ(Translation(file, "English", "Prefi"), "");
}

TEST(LanguageFile, ReadsItemsWithEitherLineEnd) {
    EXPECT_EQ(SplitItemLines("\r\n\t\t<A>a</A>\r\n\t\t<B>b</B>\n\t"),
              (Lines{"", "\t\t<A>a</A>", "\t\t<B>b</B>", "\t"}));
    // An empty items block is one empty line, a block with one line end two.
    EXPECT_EQ(SplitItemLines(""), (Lines{""}));
    EXPECT_EQ(SplitItemLines("\r\n"), (Lines{"", ""}));

    const std::string lfOnly =
        "<LANGUAGE_GROUP>\n<LANGUAGE_NAME>English</LANGUAGE_NAME>\n<TRANSLATION_ITEMS>\n"
        "<KeyA>first</KeyA>\n<KeyB>second</KeyB>\n</TRANSLATION_ITEMS>\n</LANGUAGE_GROUP>\n";
    EXPECT_EQ(Translation(lfOnly, "English", "KeyB"), "second");
}

TEST(LanguageFile, MalformedGroupsNeverHideTheWellFormedOnesBeforeThem) {
    const std::string noItems =
        "<LANGUAGE_GROUP><LANGUAGE_NAME>German</LANGUAGE_NAME>"
        "</LANGUAGE_GROUP>\r\n";
    const std::string noName =
        "<LANGUAGE_GROUP><TRANSLATION_ITEMS>\r\n<A>none</A>\r\n"
        "</TRANSLATION_ITEMS></LANGUAGE_GROUP>\r\n";
    const std::string unclosed =
        "<LANGUAGE_GROUP><LANGUAGE_NAME>Dutch</LANGUAGE_NAME>"
        "<TRANSLATION_ITEMS>\r\n<A>nl</A>\r\n</TRANSLATION_ITEMS>\r\n";
    const std::string file = noItems + Group("German", {"<A>de</A>"}) + noName +
                             Group("English", {"<A>en</A>"}) + unclosed;

    EXPECT_EQ(Translation(file, "German", "A"), "de");
    EXPECT_EQ(Translation(file, "English", "A"), "en");
    EXPECT_EQ(Translation(file, "Dutch", "A"), "<no group>");
    EXPECT_EQ(LanguageGroupNames(file), (Lines{"German", "German", "English"}));
    EXPECT_EQ(LanguageGroupNames("no groups at all"), Lines{});
}

TEST(LanguageFile, ReplacesPlaceholdersInAnyLetterCase) {
    EXPECT_EQ(ReplaceIdentityPlaceholders("visit [website] or [WEBSITE], [ProgramName] by "
                                          "[companyname]",
                                          "Tollenwark", "Tollenwark Labs", "tollenwark.example"),
              "visit tollenwark.example or tollenwark.example, Tollenwark by Tollenwark Labs");
    // A name holding a later placeholder is replaced as well: the order is fixed.
    EXPECT_EQ(ReplaceIdentityPlaceholders("[ProgramName]", "[Website]", "", "site"), "site");
    EXPECT_EQ(ReplaceIdentityPlaceholders("[Website", "a", "b", "c"), "[Website");
}

TEST(LanguageFile, ReadsTheFileAsUtf8WithoutItsByteOrderMark) {
    test_support::TemporaryProgramFolder program;
    program.WriteFile("Localization.xml",
                      "\xEF\xBB\xBF<A>Gr\xC3\xBC\xC3\x9F"
                      "e \xFF</A>");
    const std::optional<std::string> text = ReadLanguageFile(ProgramFolderFile("Localization.xml"));
    ASSERT_TRUE(text);
    EXPECT_EQ(*text, "<A>Grüße \xEF\xBF\xBD</A>");
    EXPECT_FALSE(ReadLanguageFile(ProgramFolderFile("Missing.xml")));
}
