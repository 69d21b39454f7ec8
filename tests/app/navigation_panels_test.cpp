// The main window's panel commands, side menu, scan labels and status labels, headless.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/globals.h"
#include "forms/containers.h"
#include "forms/form_registry.h"
#include "foundation/globals.h"
#include "foundation/settings_store.h"
#include "localization/globals.h"
#include "platform/version_block.h"
#include "support/forms_fixture.h"
#include "support/scoped_environment.h"
#include "support/temporary_folder.h"
#include "support/temporary_program_folder.h"
#include "ui/frm_language.h"
#include "ui/frm_main.h"
#include "ui/frm_report.h"
#include "ui/main_navigation.h"

namespace {

class Navigation : public FormsTest {
  protected:
    Navigation() {
        ResetFoundationGlobals();
        ResetLocalizationGlobals();
        ResetEngineGlobals();
        gProgramName = "Tollenwark";
        gLanguages = std::make_unique<clsLanguages>();
        gLanguages->LoadDefaultMessages();
    }

    // The four panels that are visible, by name.
    std::vector<std::string> VisiblePanels() const {
        std::vector<std::string> visible;
        for (const forms::Frame* panel :
             {&window->frmStatus, &window->frmScan, &window->frmResults, &window->frmOptions}) {
            if (panel->Visible()) {
                visible.push_back(panel->Name());
            }
        }
        return visible;
    }

    // The side-menu labels that are enabled, by name.
    std::vector<std::string> EnabledSideLabels() const {
        std::vector<std::string> enabled;
        for (const forms::Label* label :
             {&window->lblSweepNow, &window->lblResult, &window->lblRemove, &window->lblOptions,
              &window->lblViewLogFile, &window->lblExit, &window->lblHide}) {
            if (label->Enabled()) {
                enabled.push_back(label->Name());
            }
        }
        return enabled;
    }

    void ShowRemovalProgress() const {
        window->pgbDeleteSpywaresFound.SetVisible(true);
        window->lblDeletingPercentageCompleted.SetVisible(true);
        window->lblDeletingCaption.SetVisible(true);
    }

    bool RemovalProgressHidden() const {
        return !window->pgbDeleteSpywaresFound.Visible() &&
               !window->lblDeletingPercentageCompleted.Visible() &&
               !window->lblDeletingCaption.Visible();
    }

    using Names = std::vector<std::string>;

    test_support::TemporaryProgramFolder program;
    test_support::TemporaryFolder config{"tollenwark-config"};
    test_support::ScopedEnvironmentVariable settings{"XDG_CONFIG_HOME", config.path().string()};
    // Made, not loaded: the start-up is tested on its own.
    std::unique_ptr<FrmMainForm> window = std::make_unique<FrmMainForm>();
};

// A window with the side-menu panels the main window does without.
class SidePanelsForm : public forms::Form {
  public:
    SidePanelsForm() : Form("frmSidePanels") { tmrScroll.SetEnabled(true); }
    forms::PictureBox PicStartUp{*this, "PicStartUp"};
    forms::PictureBox PicOptions{*this, "PicOptions"};
    forms::PictureBox PicResults{*this, "PicResults"};
    forms::PictureBox PicSweepNow{*this, "PicSweepNow"};
    forms::Timer tmrScroll{*this, "tmrScroll"};
};

class BareForm : public forms::Form {
  public:
    BareForm() : Form("frmBare") {}
};

}  // namespace

TEST_F(Navigation, EachPanelCommandShowsExactlyItsPanel) {
    window->cmdScan.Click();
    EXPECT_EQ(VisiblePanels(), Names{"frmScan"});
    window->cmdSettings.Click();
    EXPECT_EQ(VisiblePanels(), Names{"frmOptions"});
    window->Command1.Click();
    EXPECT_EQ(VisiblePanels(), Names{"frmScan"});
    ShowRemovalProgress();
    window->cmdStatus.Click();
    EXPECT_EQ(VisiblePanels(), Names{"frmStatus"});
    EXPECT_TRUE(RemovalProgressHidden());

    window->HideAllPanels();
    EXPECT_EQ(VisiblePanels(), Names{});
}

TEST_F(Navigation, SideMenuCommandsShowTheirPanelAndDisableOnlyThemselves) {
    window->tmrScroll.SetEnabled(true);
    window->lblOptions.Click();
    EXPECT_EQ(VisiblePanels(), Names{"frmOptions"});
    EXPECT_FALSE(window->tmrScroll.Enabled());
    EXPECT_EQ(EnabledSideLabels(), (Names{"lblSweepNow", "lblResult", "lblRemove", "lblViewLogFile",
                                          "lblExit", "lblHide"}));

    ShowRemovalProgress();
    window->lblResult.Click();
    EXPECT_EQ(VisiblePanels(), Names{"frmResults"});
    EXPECT_TRUE(RemovalProgressHidden());
    EXPECT_EQ(EnabledSideLabels(), (Names{"lblSweepNow", "lblRemove", "lblOptions",
                                          "lblViewLogFile", "lblExit", "lblHide"}));

    // "Sweep Now" and "Exit" have no command of their own.
    window->lblSweepNow.Click();
    window->lblExit.Click();
    EXPECT_EQ(VisiblePanels(), Names{"frmResults"});
    EXPECT_EQ(host.MsgBoxesShown().size(), 0u);
    EXPECT_EQ(forms::LoadedForms().size(), 0u);
}

TEST_F(Navigation, ShowMainPanelsUsesTheSidePanelsOfAWindowThatHasThem) {
    SidePanelsForm side;
    ShowMainPanels(side, false, true, false, true);
    EXPECT_FALSE(side.PicStartUp.Visible());
    EXPECT_TRUE(side.PicOptions.Visible());
    EXPECT_FALSE(side.PicResults.Visible());
    EXPECT_TRUE(side.PicSweepNow.Visible());
    EXPECT_FALSE(side.tmrScroll.Enabled());

    ShowMainPanels(*window, true, false, false, false);
    EXPECT_EQ(VisiblePanels(), Names{"frmStatus"});
    ShowMainPanels(*window, false, false, false, true);
    EXPECT_EQ(VisiblePanels(), Names{"frmScan"});

    BareForm bare;
    EXPECT_NO_THROW(ShowMainPanels(bare, true, true, true, true));
}

TEST_F(Navigation, EachTabShowsItsOwnPage) {
    window->TabStrip1.Select(3);
    for (forms::Frame* page : window->frmView.Elements()) {
        EXPECT_EQ(page->Visible(), page->Index() == 2) << "page " << *page->Index();
    }
    window->TabStrip1.Select(1);
    EXPECT_TRUE(window->frmView(0).Visible());
    EXPECT_FALSE(window->frmView(2).Visible());
}

TEST_F(Navigation, StartFromTheLabelDoesNothingWhileAScanRuns) {
    window->cmdScanNow.SetEnabled(false);
    window->lblStart.Click();
    EXPECT_EQ(VisiblePanels(), Names{"frmStatus"});
}

TEST_F(Navigation, StopAsksFirstAndOnlyYesStopsTheScan) {
    host.ExpectMsgBox({.answer = forms::MsgBoxResult::No,
                       .text = "Are you sure?",
                       .title = "Tollenwark",
                       .style = forms::MsgBoxYesNo | forms::MsgBoxQuestion,
                       .whileOpen = {}});
    window->lblStop.Click();
    EXPECT_FALSE(gStopScan);

    host.SetMousePointer(forms::MousePointer::Hourglass);
    host.ExpectMsgBox(forms::MsgBoxResult::Yes);
    window->lblStop.Click();
    EXPECT_TRUE(gStopScan);
    EXPECT_EQ(host.GetMousePointer(), forms::MousePointer::Default);

    host.ExpectMsgBox(forms::MsgBoxResult::No);
    window->lblStop.Click();
    EXPECT_TRUE(gStopScan) << "No leaves the flag as it was";
}

TEST_F(Navigation, PauseHoldsUntilTheBoxIsClosedWithItsLabelDisabled) {
    bool disabledWhileOpen = false;
    host.ExpectMsgBox({.answer = forms::MsgBoxResult::Ok,
                       .text = "[ProgramName] has been paused.  Click OK to resume.",
                       .title = "Tollenwark",
                       .style = forms::MsgBoxOkOnly | forms::MsgBoxInformation,
                       .whileOpen = [&] { disabledWhileOpen = !window->lblPause.Enabled(); }});
    window->lblPause.Click();
    EXPECT_TRUE(disabledWhileOpen);
    EXPECT_TRUE(window->lblPause.Enabled());
}

TEST_F(Navigation, TheReportOpensModallyAndTheLanguageChooserWithoutWaiting) {
    bool disabledWhileOpen = false;
    host.ExpectModalOf<FrmReportForm>([&](FrmReportForm& report) {
        disabledWhileOpen = !window->lblViewLogFile.Enabled();
        report.Hide();
    });
    window->lblViewLogFile.Click();
    EXPECT_TRUE(disabledWhileOpen);
    EXPECT_TRUE(window->lblViewLogFile.Enabled());

    window->mnuLanguageItem(0).Click();
    ASSERT_TRUE(forms::IsLoaded<FrmLanguageForm>());
    EXPECT_TRUE(frmLanguage().Visible());
    EXPECT_EQ(host.ModalWindowsShown(), Names{"frmReport"});
}

TEST_F(Navigation, HoverSetsItalicUntilThePointerMovesOnToThePanelOrWindow) {
    window->lblStart.MouseMove(0, 0, 10, 10);
    window->lblHide.MouseMove(0, 0, 10, 10);
    host.SetMousePointer(forms::MousePointer::Hourglass);
    window->lblStop.MouseMove(0, 0, 10, 10);
    EXPECT_EQ(host.GetMousePointer(), forms::MousePointer::Default);
    window->lblPause.MouseMove(0, 0, 10, 10);
    for (const forms::Label* label :
         {&window->lblStart, &window->lblPause, &window->lblStop, &window->lblHide}) {
        EXPECT_TRUE(label->Font().italic) << label->Name();
    }

    // A running scan disables cmdScan: the panel shows the hourglass around the labels.
    window->cmdScan.SetEnabled(false);
    window->frmScan.MouseMove(0, 0, 500, 500);
    EXPECT_FALSE(window->lblStart.Font().italic);
    EXPECT_FALSE(window->lblPause.Font().italic);
    EXPECT_FALSE(window->lblStop.Font().italic);
    EXPECT_TRUE(window->lblHide.Font().italic);
    EXPECT_EQ(host.GetMousePointer(), forms::MousePointer::Hourglass);
    window->MouseMove(0, 0, 500, 500);
    EXPECT_FALSE(window->lblHide.Font().italic);
}

TEST_F(Navigation, TheStatusLabelsShowTheirDefaultsBeforeAnyScan) {
    gDefinitionsTotal = 12345;
    window->RefreshStatusLabels();

    EXPECT_EQ(window->lblDefCount.Caption(), "12,345");
    const platform::VersionBlock& version = platform::ProgramVersionBlock();
    EXPECT_EQ(window->lblVersion.Caption(),
              std::to_string(version.major) + "." + std::to_string(version.minor));
    EXPECT_EQ(window->lblDefVersion.Caption(), "3/16/2006 12:00:00 AM PST");
    EXPECT_EQ(window->lblDefRemoved.Caption(), "0");
    EXPECT_EQ(window->lblLastScan.Caption(), "Never");
    EXPECT_EQ(window->lblLastFullScan.Caption(), "Never");
}

TEST_F(Navigation, TheStatusLabelsShowTheStoredValues) {
    gDefinitionsTotal = 1234567;
    program.WriteFile("date.dat", "5/2/2024 3:04:05 PM\r\n");
    SaveSetting("Tollenwark", "Settings", "lblDefRemoved", "17");
    SaveSetting("Tollenwark", "Settings", "lblLastScan", "5/3/2024 9:00:00 AM");
    SaveSetting("Tollenwark", "Settings", "lblLastFullScan", "4/1/2024 8:30:00 PM");
    window->RefreshStatusLabels();

    EXPECT_EQ(window->lblDefCount.Caption(), "1,234,567");
    EXPECT_EQ(window->lblDefVersion.Caption(), "5/2/2024 3:04:05 PM PST");
    EXPECT_EQ(window->lblDefRemoved.Caption(), "17");
    EXPECT_EQ(window->lblLastScan.Caption(), "5/3/2024 9:00:00 AM");
    EXPECT_EQ(window->lblLastFullScan.Caption(), "4/1/2024 8:30:00 PM");
}

TEST_F(Navigation, AnEmptyDateFileDoesNotStopTheStatusLabels) {
    program.WriteFile("date.dat", "");
    gDefinitionsTotal = 0;
    ASSERT_NO_THROW(window->RefreshStatusLabels());
    EXPECT_EQ(window->lblDefVersion.Caption(), "3/16/2006 12:00:00 AM PST");
    EXPECT_EQ(window->lblDefCount.Caption(), "0");
    EXPECT_EQ(window->lblLastFullScan.Caption(), "Never");
}

TEST_F(Navigation, TheSideMenuCloseSkipsTheQueryStep) {
    try {
        window->lblHide.Click();
    } catch (const forms::ProcessEnded&) {
        // The unload handling ends the program.
    }
    EXPECT_EQ(GetSetting("Tollenwark", "OptionAndSettings", "STATUS", "unset"), "unset");
    EXPECT_EQ(GetSetting("Tollenwark", "OptionAndSettings", "RESTART", "unset"), "unset");
}
