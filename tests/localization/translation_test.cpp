// Translating windows and messages from a real language file in a temporary program folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "foundation/globals.h"
#include "localization/cls_languages.h"
#include "localization/globals.h"
#include "support/forms_fixture.h"
#include "support/temporary_program_folder.h"
#include "translation_sample_window.h"

namespace {

using Items = std::vector<std::pair<std::string, std::string>>;

std::string Group(const std::string& name, const Items& items) {
    std::string text = "<LANGUAGE_GROUP>\r\n\t<LANGUAGE_NAME>" + name +
                       "</LANGUAGE_NAME>\r\n\t<TRANSLATION_ITEMS>\r\n";
    for (const auto& [key, value] : items) {
        text += "\t\t<" + key + ">" + value + "</" + key + ">\r\n";
    }
    return text + "\t</TRANSLATION_ITEMS>\r\n</LANGUAGE_GROUP>\r\n";
}

const Items kEnglish = {{"frmSample_lblTitle", "English title"}, {"MSG_SURE", "Sure?"}};
const Items kFrench = {{"frmSample_lblTitle", "Titre"},
                       {"frmSample_cmdOk", "D'accord"},
                       {"MSG_SURE", "Êtes-vous sûr ?"},
                       {"MSG_STOP", "Arrêter l'analyse ?"}};
const Items kGerman = {{"FRMSAMPLE_LBLTITLE", "Titel"}, {"msg_stop", "Prüfung anhalten?"}};

class Translation : public FormsTest {
  protected:
    Translation() {
        ResetLocalizationGlobals();
        ResetFoundationGlobals();
        gProgramName = "Tollenwark";
        gCompanyName = "Tollenwark Labs";
        gWebsite = "tollenwark.example";
        languages.LoadDefaultMessages();
    }

    void WriteLanguageFile(const std::string& text) const {
        program.WriteFile("Localization.xml", text);
    }

    test_support::TemporaryProgramFolder program;
    clsLanguages languages;
    // Made, not loaded: translation needs only the window's controls.
    FrmSampleForm window;
};

}  // namespace

TEST_F(Translation, GivesEveryKindOfControlTheTextOfItsKey) {
    WriteLanguageFile(Group("Español", {{"frmSample_lblTitle", "Título"},
                                        {"frmSample_SkinLabel1", "Con piel"},
                                        {"frmSample_cmdOk", "Aceptar"},
                                        {"frmSample_fraBox", "Caja"},
                                        {"frmSample_chkOption", "Opción"},
                                        {"frmSample_optAlone0", "Sola"},
                                        {"frmSample_optChoice1", "Segunda"},
                                        {"frmSample_mnuFile0", "Archivo"},
                                        {"frmSample_mnuFileItem1", "Salir"},
                                        {"frmSample_tabPages_TABS2", "Avanzado"},
                                        {"frmSample_lvwItems_COL1", "Nombre"},
                                        {"frmSample_txtName", "not a captioned kind"},
                                        {"frmSample_tmrTick", "nor this"},
                                        {"frmSample", "the window's own title is not translated"},
                                        {"frmSample_optAlone", "option buttons need an index"}}));

    languages.ChangeLanguage(window, "español");

    EXPECT_EQ(window.lblTitle.Caption(), "Título");
    // Elements of a label array share one key without index.
    EXPECT_EQ(window.SkinLabel1(0).Caption(), "Con piel");
    EXPECT_EQ(window.SkinLabel1(1).Caption(), "Con piel");
    EXPECT_EQ(window.cmdOk.Caption(), "Aceptar");
    EXPECT_EQ(window.fraBox.Caption(), "Caja");
    EXPECT_EQ(window.chkOption.Caption(), "Opción");
    EXPECT_EQ(window.optAlone.Caption(), "Sola");
    EXPECT_EQ(window.optChoice(0).Caption(), "First choice");
    EXPECT_EQ(window.optChoice(1).Caption(), "Segunda");
    EXPECT_EQ(window.mnuFile.Caption(), "Archivo");
    EXPECT_EQ(window.mnuFileItem(0).Caption(), "Open");
    EXPECT_EQ(window.mnuFileItem(1).Caption(), "Salir");
    EXPECT_EQ(window.tabPages.Tabs(1).Caption(), "General");
    EXPECT_EQ(window.tabPages.Tabs(2).Caption(), "Avanzado");
    EXPECT_EQ(window.lvwItems.ColumnHeaders(1).Text(), "Nombre");
    EXPECT_EQ(window.lvwItems.ColumnHeaders(2).Text(), "Size");
    EXPECT_EQ(window.txtName.Text(), "typed text");
    EXPECT_EQ(window.Caption(), "Sample window");
    EXPECT_EQ(gCurrentLanguage, "español");
}

TEST_F(Translation, PutsTheProductNamesInAndUpperCasesTheFirstLetter) {
    WriteLanguageFile(Group("English", {{"frmSample_lblTitle", "visit [website] today"},
                                        {"frmSample_cmdOk", "about [PROGRAMNAME] by [CompanyName]"},
                                        {"MSG_PAUSED", "[ProgramName] waits.  Click OK."},
                                        {"frmSample_fraBox", ""}}));

    languages.ChangeLanguage(window, "English");

    EXPECT_EQ(window.lblTitle.Caption(), "Visit tollenwark.example today");
    EXPECT_EQ(window.cmdOk.Caption(), "About Tollenwark by Tollenwark Labs");
    EXPECT_EQ(languages.getMessages("MSG_PAUSED"), "Tollenwark waits.  Click OK.");
    // An empty text leaves the caption as it was.
    EXPECT_EQ(window.fraBox.Caption(), "Box");
}

TEST_F(Translation, ALanguageTheFileLacksKeepsTheGroupLoadedLast) {
    WriteLanguageFile(Group("English", kEnglish) + Group("French", kFrench));
    languages.ChangeLanguage(window, "French");
    ASSERT_EQ(window.lblTitle.Caption(), "Titre");

    languages.ChangeLanguage(window, "Klingon");

    EXPECT_EQ(gCurrentLanguage, "Klingon");
    EXPECT_EQ(window.lblTitle.Caption(), "Titre");
    FrmSampleForm fresh;
    languages.ChangeLanguage(fresh, "Klingon");
    EXPECT_EQ(fresh.cmdOk.Caption(), "D'accord") << "the French group is still in force";
    EXPECT_EQ(languages.getMessages("MSG_SURE"), "Êtes-vous sûr ?");
}

TEST_F(Translation, AMissingLanguageAtTheFirstLoadFallsBackToEnglish) {
    WriteLanguageFile(Group("French", kFrench) + Group("English", kEnglish));
    languages.ChangeLanguage(window, "Klingon");
    EXPECT_EQ(window.lblTitle.Caption(), "English title");
    EXPECT_EQ(gCurrentLanguage, "English");

    // Without an English group nothing is translated.
    clsLanguages another;
    another.LoadDefaultMessages();
    WriteLanguageFile(Group("French", kFrench));
    FrmSampleForm fresh;
    another.ChangeLanguage(fresh, "Klingon");
    EXPECT_EQ(fresh.lblTitle.Caption(), "Title");
    EXPECT_EQ(another.getMessages("MSG_SURE"), "Are you sure?");
    EXPECT_EQ(gCurrentLanguage, "English");
}

TEST_F(Translation, MessagesTakeTheNewLanguageWhereItHasThemAndKeepThePreviousElsewhere) {
    WriteLanguageFile(Group("French", kFrench) + Group("German", kGerman) +
                      Group("Extra", {{"MSG_NOT_BUILT_IN", "cannot be added"}}));

    languages.ChangeLanguage(window, "French");
    EXPECT_EQ(languages.getMessages("MSG_STOP"), "Arrêter l'analyse ?");
    languages.ChangeLanguage(window, "German");
    EXPECT_EQ(languages.getMessages("MSG_STOP"), "Prüfung anhalten?");
    EXPECT_EQ(languages.getMessages("MSG_SURE"), "Êtes-vous sûr ?");
    EXPECT_EQ(window.cmdOk.Caption(), "D'accord");
    EXPECT_EQ(window.lblTitle.Caption(), "Titel");
    EXPECT_EQ(languages.getMessages("MSG_COMPLETE"), "Complete");

    languages.ChangeLanguage(window, "Extra");
    EXPECT_EQ(languages.getMessages("MSG_NOT_BUILT_IN"), "");
}

TEST_F(Translation, ReadsTheFileAgainOnEveryChange) {
    languages.ChangeLanguage(window, "French");
    EXPECT_EQ(window.lblTitle.Caption(), "Title") << "no language file: nothing changes";
    EXPECT_EQ(languages.getMessages("MSG_SURE"), "Are you sure?");

    WriteLanguageFile(Group("French", kFrench));
    languages.ChangeLanguage(window, "French");
    EXPECT_EQ(window.lblTitle.Caption(), "Titre");

    WriteLanguageFile(Group("French", {{"frmSample_lblTitle", "Titre corrigé"}}));
    languages.ChangeLanguage(window, "French");
    EXPECT_EQ(window.lblTitle.Caption(), "Titre corrigé");
}

TEST_F(Translation, FindsTheLanguageFileByItsLastPathComponent) {
    EXPECT_EQ(clsLanguages::LangTrimPath("C:\\Program Files\\Tollenwark\\Localization.xml"),
              "Localization.xml");
    EXPECT_EQ(clsLanguages::LangTrimPath("Localization.xml"), "Localization.xml");
    EXPECT_EQ(clsLanguages::LangTrimPath("C:\\folder\\"), "");
    EXPECT_EQ(clsLanguages::LangTrimPath("a/b.xml"), "a/b.xml");
    EXPECT_EQ(clsLanguages::LangTrimPath(""), "");

    const std::string file = program.windowsPath() + "\\Localization.xml";
    EXPECT_FALSE(languages.LangFileExists(file));
    WriteLanguageFile("");
    EXPECT_TRUE(languages.LangFileExists(file));
    EXPECT_TRUE(languages.LangFileExists(program.windowsPath() + "\\LOCALIZATION.XML"));
    EXPECT_FALSE(languages.LangFileExists(program.windowsPath() + "\\*.xml"));
    std::filesystem::create_directory(program.path() / "Folder.xml");
    EXPECT_FALSE(languages.LangFileExists(program.windowsPath() + "\\Folder.xml"));
    EXPECT_EQ(languages.ListLanguages(), "");
}
