// The language chooser: its list, the choice of a language, the language file's download and
// opening the file for translating.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "forms/form_registry.h"
#include "forms/message_box.h"
#include "foundation/globals.h"
#include "foundation/settings_store.h"
#include "localization/globals.h"
#include "menus_fixture.h"
#include "server/definitions_server_process.h"
#include "support/scoped_environment.h"
#include "support/temporary_folder.h"
#include "ui/frm_about.h"
#include "ui/frm_language.h"
#include "ui/frm_website.h"

namespace {

using Names = std::vector<std::string>;
using test_support::ReadHostFileOrEmpty;

std::string Group(const std::string& name, const std::string& items) {
    return "<LANGUAGE_GROUP xml:lang=\"xx\">\r\n\t<LANGUAGE_NAME>" + name +
           "</LANGUAGE_NAME>\r\n\t<TRANSLATION_ITEMS>\r\n" + items +
           "\t</TRANSLATION_ITEMS>\r\n</LANGUAGE_GROUP>\r\n";
}

std::string LanguageFile(const std::string& groups) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<XML_DIZ_INFO>\r\n" + groups +
           "</XML_DIZ_INFO>";
}

const std::string kGerman = Group("Deutsch",
                                  "\t\t<FrmMain_cmdScan>Jetzt prüfen</FrmMain_cmdScan>\r\n"
                                  "\t\t<frmLanguage_Command2>Fertig</frmLanguage_Command2>\r\n"
                                  "\t\t<MSG_TITLELANGUAGE>Sprachauswahl</MSG_TITLELANGUAGE>\r\n"
                                  "\t\t<MSG_DOWNLOADED>Geladen.</MSG_DOWNLOADED>\r\n");
const std::string kEnglish =
    Group("English", "\t\t<FrmMain_cmdScan>Scan Now</FrmMain_cmdScan>\r\n");
const std::string kFrench =
    Group("Français", "\t\t<FrmMain_cmdScan>Analyser</FrmMain_cmdScan>\r\n");

Names ListOf(const forms::ComboBox& combo) {
    Names entries;
    for (int i = 0; i < combo.ListCount(); ++i) {
        entries.push_back(combo.List(i));
    }
    return entries;
}

class LanguageChooser : public MenusTest {
  protected:
    LanguageChooser() {
        gProgramId = 21;
        gCurrentLanguage = "English";
    }

    void WriteLanguageFile(const std::string& bytes) {
        program.WriteFile("Localization.xml", bytes);
    }
    std::string LanguageFileNow() const {
        return ReadHostFileOrEmpty(program.path() / "Localization.xml");
    }
    std::string SavedLanguage() const {
        return GetSetting(gProgramName, "Settings", "Language", "<none>");
    }

    // Picks a list entry as the user does.
    static void Pick(FrmLanguageForm& chooser, const std::string& language) {
        const Names entries = ListOf(chooser.Combo1);
        const auto found = std::find(entries.begin(), entries.end(), language);
        ASSERT_NE(found, entries.end()) << language;
        chooser.Combo1.SetListIndex(static_cast<int>(found - entries.begin()));
    }
};

TEST_F(LanguageChooser, ListsEveryGroupInFileOrderAndShowsTheSavedLanguage) {
    WriteLanguageFile(
        LanguageFile(kEnglish + kFrench + kGerman + kEnglish +
                     "<LANGUAGE_GROUP>\r\n<LANGUAGE_NAME>Broken</LANGUAGE_NAME>\r\n"));
    Main();
    FrmLanguageForm& chooser = frmLanguage();
    EXPECT_EQ(ListOf(chooser.Combo1), (Names{"English", "Français", "Deutsch", "English"}));
    EXPECT_EQ(chooser.Combo1.Text(), "English") << "nothing saved yet";
    chooser.Unload();

    SaveSetting(gProgramName, "Settings", "Language", "Klingon");
    EXPECT_EQ(frmLanguage().Combo1.Text(), "Klingon") << "shown even when the list lacks it";
}

TEST_F(LanguageChooser, WithoutALanguageFileTheListIsEmptyAndNothingOpens) {
    Main();
    FrmLanguageForm& chooser = frmLanguage();
    EXPECT_EQ(chooser.Combo1.ListCount(), 0);
    chooser.Command3.Click();
    EXPECT_TRUE(host.DocumentsOpened().empty());
    EXPECT_EQ(chooser.Caption(), "Language Selection");
}

TEST_F(LanguageChooser, AChoiceTranslatesBothWindowsAtOnceAndIsSaved) {
    WriteLanguageFile(LanguageFile(kEnglish + kFrench + kGerman));
    FrmMainForm& main = Main();
    FrmLanguageForm& chooser = frmLanguage();

    Pick(chooser, "Deutsch");
    EXPECT_EQ(main.cmdScan.Caption(), "Jetzt prüfen");
    EXPECT_EQ(chooser.Command2.Caption(), "Fertig");
    EXPECT_EQ(SavedLanguage(), "Deutsch");
    EXPECT_EQ(gCurrentLanguage, "Deutsch");

    Pick(chooser, "Français");
    EXPECT_EQ(main.cmdScan.Caption(), "Analyser");
    EXPECT_EQ(SavedLanguage(), "Français");

    // The chooser opened again comes up in the chosen language, its title too.
    chooser.Unload();
    Pick(frmLanguage(), "Deutsch");
    frmLanguage().Unload();
    EXPECT_EQ(frmLanguage().Caption(), "Sprachauswahl");
}

TEST_F(LanguageChooser, TheHintEntryIsNoLanguage) {
    WriteLanguageFile(LanguageFile(kGerman + Group("Choose Language Here", "")));
    FrmMainForm& main = Main();
    FrmLanguageForm& chooser = frmLanguage();
    Pick(chooser, "Choose Language Here");
    EXPECT_EQ(SavedLanguage(), "<none>");
    EXPECT_EQ(main.cmdScan.Caption(), "Scan Now");
}

TEST_F(LanguageChooser, TranslateThisProgramOpensTheLanguageFile) {
    WriteLanguageFile(LanguageFile(kEnglish));
    Main();
    frmLanguage().Command3.Click();
    EXPECT_EQ(host.DocumentsOpened(), Names{ProgramFile("Localization.xml")});
    frmLanguage().Command2.Click();
    EXPECT_FALSE(forms::IsLoaded<FrmLanguageForm>());
}

// The browser keeps the program alive after the main window closed; the chooser must not outlive
// it: a choice made there would load a new main window, whose start-up replaces the language
// object the choice is running on, and a download running there (a second click on it starts
// none) would replace the file and speak after the program's end. It is abandoned instead.
TEST_F(LanguageChooser, GoesWithTheMainWindowAndNeverLoadsANewOne) {
    const std::string oldFile = LanguageFile(kEnglish + kGerman);
    WriteLanguageFile(oldFile);
    DefinitionsServerOptions trickling;
    trickling.trickleMs = 20;
    DefinitionsServerProcess slow(trickling);
    test_support::ScopedEnvironmentVariable slowServer("TOLLENWARK_LANGUAGE_SERVER",
                                                       slow.BaseUrl());
    slow.Serve("Languages/21/Localization.xml", LanguageFile(kEnglish + kGerman + kFrench));
    FrmMainForm& main = Main();
    main.mnuLanguageItem(0).Click();
    FrmLanguageForm& chooser = frmLanguage();
    frmAbout().lblWebsite.Click();
    bool closing = false;
    host.OnEveryDoEvents([&](int) {
        if (!closing && !slow.RequestLines().empty()) {
            closing = true;
            chooser.Command1.Click();
            main.Close();
        }
    });

    chooser.Command1.Click();

    EXPECT_EQ(slow.RequestLines().size(), 1u);
    EXPECT_EQ(LanguageFileNow(), oldFile);
    EXPECT_TRUE(host.MsgBoxesShown().empty());
    EXPECT_TRUE(forms::IsLoaded<FrmWebsiteForm>());
    EXPECT_FALSE(forms::IsLoaded<FrmLanguageForm>()) << "unloaded with the main window";
    // A choice still reaching the chooser's object (its window is gone) changes no main window.
    Pick(chooser, "Deutsch");
    EXPECT_FALSE(forms::IsLoaded<FrmMainForm>());
    EXPECT_FALSE(host.ProcessHasEnded());
}

class LanguageDownload : public LanguageChooser {
  protected:
    void Offer(const std::string& answer) const {
        server.Serve("Languages/21/Localization.xml", answer);
    }

    void ExpectFailureBox() {
        host.ExpectMsgBox(forms::MsgBoxResult::Ok, gLanguages->getMessages("MSG_LANGUAGE_FAILED"));
    }

    DefinitionsServerProcess server;
    test_support::ScopedEnvironmentVariable serverVariable{"TOLLENWARK_LANGUAGE_SERVER",
                                                           server.BaseUrl() + "/"};
    const std::string oldFile = LanguageFile(kEnglish);
};

TEST_F(LanguageDownload, ANewFileReplacesTheOldOneByteForByteAndIsListed) {
    WriteLanguageFile(oldFile);
    const std::string newFile = LanguageFile(kEnglish + kFrench);
    Offer("\xEF\xBB\xBF" + newFile);
    Main();
    FrmLanguageForm& chooser = frmLanguage();
    forms::TestHost::ExpectedMsgBox box;
    box.text = "The newest language file has been downloaded.";
    box.style = forms::MsgBoxOkOnly;
    host.ExpectMsgBox(box);

    chooser.Command1.Click();

    EXPECT_EQ(server.RequestLines(), Names{"GET /Languages/21/Localization.xml HTTP/1.1"});
    EXPECT_EQ(LanguageFileNow(), newFile + "\r\n") << "from the first \"<\", letters intact";
    EXPECT_EQ(ListOf(chooser.Combo1), (Names{"English", "Français"}));
    Pick(chooser, "Français");
    EXPECT_EQ(FrmMain().cmdScan.Caption(), "Analyser");
}

TEST_F(LanguageDownload, AnAnswerThatIsNoWholeLanguageFileLeavesTheOldOneAndSaysSo) {
    WriteLanguageFile(oldFile);
    Main();
    FrmLanguageForm& chooser = frmLanguage();
    const std::vector<std::string> answers = {
        "",  // nothing served: the server's error page
        "<html><body>Service unavailable</body></html>",
        // Items, but the group never closes: what a cut-off file looks like.
        "<XML_DIZ_INFO><LANGUAGE_GROUP><LANGUAGE_NAME>Deutsch</LANGUAGE_NAME><TRANSLATION_ITEMS>",
        LanguageFile(kGerman),  // whole, but without the English the old file has
    };
    for (const std::string& answer : answers) {
        if (!answer.empty()) {
            Offer(answer);
        }
        ExpectFailureBox();
        chooser.Command1.Click();
        EXPECT_EQ(LanguageFileNow(), oldFile) << answer;
    }
    server.Stop();
    ExpectFailureBox();
    chooser.Command1.Click();
    EXPECT_EQ(LanguageFileNow(), oldFile) << "no server";
    EXPECT_EQ(host.MsgBoxesShown().size(), answers.size() + 1);
    EXPECT_EQ(ListOf(chooser.Combo1), Names{"English"});
}

TEST_F(LanguageDownload, AFileThatCannotBeReplacedIsNotReportedAsDownloaded) {
    WriteLanguageFile(oldFile);
    std::filesystem::permissions(program.path() / "Localization.xml",
                                 std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    Offer(LanguageFile(kEnglish + kGerman));
    Main();
    ExpectFailureBox();
    frmLanguage().Command1.Click();
    EXPECT_EQ(LanguageFileNow(), oldFile);
}

}  // namespace
