// The main window's menu commands, the View Log and website buttons, the scroll timer and the
// banner's events, headless.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "forms/form_registry.h"
#include "forms/message_box.h"
#include "menus_fixture.h"
#include "server/definitions_server_process.h"
#include "support/scoped_environment.h"
#include "ui/form8.h"
#include "ui/frm_about.h"
#include "ui/frm_home_page_changed_alert.h"
#include "ui/frm_language.h"
#include "ui/frm_report.h"
#include "ui/frm_signature_updated.h"
#include "ui/frm_spyware_found_alert.h"
#include "ui/frm_website.h"

using namespace std::chrono_literals;
namespace fs = std::filesystem;

namespace {

using Names = std::vector<std::string>;

Names VisiblePanels(const FrmMainForm& window) {
    Names visible;
    for (const forms::Frame* panel :
         {&window.frmStatus, &window.frmScan, &window.frmResults, &window.frmOptions}) {
        if (panel->Visible()) {
            visible.push_back(panel->Name());
        }
    }
    return visible;
}

Names VisiblePages(const FrmMainForm& window) {
    Names visible;
    for (const forms::Frame* page : window.frmView.Elements()) {
        if (page->Visible()) {
            visible.push_back("frmView" + std::to_string(*page->Index()));
        }
    }
    return visible;
}

class MainMenus : public MenusTest {};

TEST_F(MainMenus, FileMenuOpensTheScanPanelAndTheReport) {
    FrmMainForm& window = Main();
    window.mnuFileItem(0).Click();
    EXPECT_EQ(VisiblePanels(window), Names{"frmScan"});

    bool greyedWhileOpen = false;
    host.ExpectModalOf<FrmReportForm>([&](FrmReportForm& report) {
        greyedWhileOpen = !window.lblViewLogFile.Enabled();
        report.Hide();
    });
    window.mnuFileItem(2).Click();
    EXPECT_TRUE(greyedWhileOpen);
    EXPECT_TRUE(window.lblViewLogFile.Enabled());
}

// The hidden item, the separators and numbers past the end have no command.
TEST_F(MainMenus, ItemsWithoutACommandDoNothing) {
    program.WriteFile("Help.chm", "ITSF");
    FrmMainForm& window = Main();
    window.cmdStatus.Click();
    for (int index : {1, 3, 5, 7}) {
        window.mnuFileItem(index).Click();
    }
    window.mnuFileItem.Load(9).Click();
    window.mnuSettingsItem.Load(4).Click();
    window.mnuQuarItem.Load(2).Click();
    window.mnuDebugItem.Load(3).Click();
    window.mnuLanguageItem.Load(1).Click();
    window.mnuHelpItem.Load(1).Click();
    window.mnuAboutItem.Load(1).Click();
    EXPECT_EQ(VisiblePanels(window), Names{"frmStatus"});
    EXPECT_TRUE(host.DocumentsOpened().empty());
    EXPECT_TRUE(window.IsLoaded());
    EXPECT_EQ(forms::LoadedForms().size(), 1u);
}

TEST_F(MainMenus, RunLiveUpdateAsksTheDefinitionsServer) {
    DefinitionsServerProcess server;
    test_support::ScopedEnvironmentVariable serverVariable("TOLLENWARK_DEFINITIONS_SERVER",
                                                           server.BaseUrl());
    program.WriteFile("date.dat", "4/1/2006\r\n");
    server.Serve("currentDate.txt", "4/1/2006 12:00:00 AM");

    Main().mnuFileItem(4).Click();

    ASSERT_EQ(server.RequestLines().size(), 1u);
    EXPECT_TRUE(server.RequestLines()[0].starts_with("GET /asp/currentDateNEW.asp?"));
    auto* notice = forms::LoadedInstance<FrmSignatureUpdatedForm>();
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(notice->lblUpdateInfo.Caption(),
              "You are using the most recent [ProgramName] definitions.");
}

// Exit closes the window as its close box does; the shutdown it runs ends the program.
TEST_F(MainMenus, ExitEndsTheProgramWithoutAQuestion) {
    FrmMainForm& window = Main();
    EXPECT_THROW(window.mnuFileItem(8).Click(), forms::ProcessEnded);
    EXPECT_TRUE(host.ProcessHasEnded());
    EXPECT_FALSE(window.Visible());
    EXPECT_TRUE(host.MsgBoxesShown().empty());
}

TEST_F(MainMenus, SettingsMenuShowsTheOptionsPanelAtTheChosenPage) {
    FrmMainForm& window = Main();
    const Names pages[] = {{"frmView0"}, {"frmView1"}, {"frmView2"}, {"frmView3"}};
    for (int index = 3; index >= 0; --index) {
        window.cmdStatus.Click();
        window.mnuSettingsItem(index).Click();
        EXPECT_EQ(VisiblePanels(window), Names{"frmOptions"}) << index;
        EXPECT_EQ(window.TabStrip1.SelectedIndex(), index + 1);
        EXPECT_EQ(VisiblePages(window), pages[index]) << index;
    }
}

TEST_F(MainMenus, ViewQuarantineMakesTheFolderOnceAndOpensIt) {
    FrmMainForm& window = Main();
    window.mnuQuarItem(0).Click();
    ASSERT_TRUE(fs::is_directory(program.path() / "quarantine"));
    program.WriteFile("quarantine/QuarantineLog.txt", "kept\r\n");

    window.mnuQuarItem(0).Click();

    EXPECT_EQ(host.DocumentsOpened(), Names(2, ProgramFile("quarantine")));
    EXPECT_EQ(test_support::ReadHostFileOrEmpty(program.path() / "quarantine/QuarantineLog.txt"),
              "kept\r\n");
}

TEST_F(MainMenus, ViewExclusionsOpensTheListOrSaysThereIsNone) {
    FrmMainForm& window = Main();
    forms::TestHost::ExpectedMsgBox box;
    box.text = "No exclusion file exists yet.";
    box.title = "No Exclusion File";
    box.style = forms::MsgBoxOkOnly;
    host.ExpectMsgBox(box);
    window.mnuQuarItem(1).Click();
    EXPECT_TRUE(host.DocumentsOpened().empty());

    program.WriteFile("ENoSignature.txt", "cool.exe\r\n");
    window.mnuQuarItem(1).Click();
    EXPECT_EQ(host.DocumentsOpened(), Names{ProgramFile("ENoSignature.txt")});
    EXPECT_EQ(host.MsgBoxesShown().size(), 1u);
}

TEST_F(MainMenus, ViewHelpOpensTheHelpEveryTimeAndLeavesNoWindow) {
    FrmMainForm& window = Main();
    window.mnuHelpItem(0).Click();
    EXPECT_TRUE(host.DocumentsOpened().empty()) << "no help file, nothing to open";

    program.WriteFile("Help.chm", "ITSF");
    window.mnuHelpItem(0).Click();
    window.mnuHelpItem(0).Click();
    EXPECT_EQ(host.DocumentsOpened(), Names(2, ProgramFile("Help.chm")));
    EXPECT_FALSE(forms::IsLoaded<Form8Form>());
}

TEST_F(MainMenus, AboutLanguagesAndWebsiteOpenTheirWindowsWithoutWaiting) {
    FrmMainForm& window = Main();
    window.mnuAboutItem(0).Click();
    window.mnuLanguageItem(0).Click();
    window.cmdWebsite.Click();
    EXPECT_TRUE(frmAbout().Visible());
    EXPECT_TRUE(frmLanguage().Visible());
    EXPECT_TRUE(frmWebsite().Visible());
    EXPECT_EQ(frmWebsite().WebBrowser1.LastCommand().url, "tollenwark.example");
    EXPECT_TRUE(host.ModalWindowsShown().empty());
}

TEST_F(MainMenus, DebugItemsShowTheAlertWindows) {
    FrmMainForm& window = Main();
    window.mnuDebugItem(0).Click();
    EXPECT_TRUE(frmHomePageChangedAlert().Visible());
    window.mnuDebugItem(1).Click();
    EXPECT_TRUE(frmSignatureUpdated().Visible());
    window.mnuDebugItem(2).Click();
    EXPECT_TRUE(frmSpywareFoundAlert().Visible());
}

TEST_F(MainMenus, ScrollTimerLetsEventsRunOncePerTick) {
    FrmMainForm& window = Main();
    const int before = host.DoEventsCount();
    window.tmrScroll.SetEnabled(true);
    host.Advance(1000ms);
    EXPECT_EQ(host.DoEventsCount() - before, 5);
}

TEST_F(MainMenus, BannerNeverOpensAWindowAndShowsItsStatusText) {
    FrmMainForm& window = Main();
    EXPECT_TRUE(window.wbBanner.NewWindow2());
    window.wbBanner.StatusTextChange("Loading offers");
    EXPECT_EQ(window.lblWebText.Caption(), "Loading offers");
}

}  // namespace
