// The windows as designed: they load headless, and carry the controls, types, captions and design
// values that the program's code and its language file rely on.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "forms/buttons.h"
#include "forms/form_registry.h"
#include "forms/list_boxes.h"
#include "forms/list_view.h"
#include "forms/menu.h"
#include "forms/tab_strip.h"
#include "forms/timer.h"
#include "foundation/brand.h"
#include "foundation/globals.h"
#include "foundation/machine_settings.h"
#include "foundation/settings_store.h"
#include "support/forms_fixture.h"
#include "support/windows_catalog.h"
#include "ui/frm_main.h"
#include "ui/frm_menu_popup.h"

namespace {

class WindowDesign : public FormsTest {
  protected:
    std::vector<std::unique_ptr<forms::Form>> windows = DesignedWindows();

    forms::Form& Window(const std::string& name) {
        for (auto& window : windows) {
            if (window->Name() == name) {
                return *window;
            }
        }
        throw std::runtime_error("no window " + name);
    }

    // The control, or a test failure and a throw.
    forms::Control& Control(const std::string& window, const std::string& name,
                            std::optional<int> index = std::nullopt) {
        forms::Control* control = Window(window).FindControl(name, index);
        if (control == nullptr) {
            throw std::runtime_error("no control " + window + "." + name);
        }
        return *control;
    }

    FrmMainForm& Main() { return static_cast<FrmMainForm&>(Window("FrmMain")); }
};

TEST_F(WindowDesign, EveryWindowLoadsHeadlessUnderItsName) {
    // Not a first run: the main window's start-up asks no questions.
    InitBrandSettings();
    SaveSetting(gProgramName, "Settings", "Language", "English");
    SaveMachineSetting(gProgramName, "Settings", "FirstTime", "Yes");
    const std::vector<forms::Form*> loaded = LoadEveryWindow();
    std::vector<std::string> names;
    for (forms::Form* window : loaded) {
        EXPECT_TRUE(window->IsLoaded()) << window->Name();
        EXPECT_EQ(forms::FindLoadedForm(window->Name()), window);
        names.push_back(window->Name());
    }
    EXPECT_EQ(names, (std::vector<std::string>{
                         "FrmMain", "frmSplash", "frmHidden", "frmLanguage", "frmSpywareFoundAlert",
                         "frmHomePageChangedAlert", "frmDelete", "frmReport", "frmMenuPopUp",
                         "frmAbout", "Form8", "frmWebsite", "frmSignatureUpdated", "frmDownload"}));
    EXPECT_EQ(&FrmMain(), loaded.front()) << "a second reference returns the loaded window";
    EXPECT_EQ(forms::FindLoadedForm("frmHidden")->Controls().size(), 0u);
    EXPECT_EQ(forms::FindLoadedForm("Form8")->Controls().size(), 0u);
}

// Type names decide how the language file and the skinning treat a control.
TEST_F(WindowDesign, ControlsHaveTheTypesIndexesAndContainersTheProgramExpects) {
    struct Expected {
        const char* window;
        const char* name;
        std::optional<int> index;
        const char* type;
        const char* container;  // "" for the window
    };
    const Expected expected[] = {
        {"FrmMain", "frmStatus", {}, "Frame", ""},
        {"FrmMain", "frmOptions", {}, "Frame", ""},
        {"FrmMain", "TabStrip1", {}, "TabStrip", "frmOptions"},
        {"FrmMain", "frmView", 0, "Frame", "frmOptions"},
        {"FrmMain", "frmView", 3, "Frame", "frmOptions"},
        {"FrmMain", "Frame", {}, "Frame", ""},
        {"FrmMain", "lblDefCount", {}, "SkinLabel", "frmStatus"},
        {"FrmMain", "lblLastFullScan", {}, "SkinLabel", "frmStatus"},
        {"FrmMain", "lblStatus", 0, "Label", "frmScan"},
        {"FrmMain", "lblStatus", 1, "Label", "frmScan"},
        {"FrmMain", "lblStart", {}, "Label", "frmScan"},
        {"FrmMain", "SkinLabel7", {}, "SkinLabel", "frmScan"},
        {"FrmMain", "pb1", {}, "ProgressBar", "frmScan"},
        {"FrmMain", "shpCircle", {}, "Shape", "frmScan"},
        {"FrmMain", "lvwSpywareFound", {}, "ListView", "frmScan"},
        {"FrmMain", "cmdRemove", {}, "CommandButton", "frmScan"},
        {"FrmMain", "lvwPicRemoveListOfSpywareFoundAndToBeRemoved", {}, "ListView", "frmResults"},
        {"FrmMain", "pgbDeleteSpywaresFound", {}, "ProgressBar", "frmResults"},
        {"FrmMain", "lvwHardDrives", {}, "ListView", "fraScanMode"},
        {"FrmMain", "cmbDays", {}, "ComboBox", "frmView"},
        {"FrmMain", "dtpScheduleDate", {}, "DTPicker", "frmView"},
        {"FrmMain", "txtFilename", {}, "TextBox", "fraSubmit"},
        {"FrmMain", "CD1", {}, "CommonDialog", ""},
        {"FrmMain", "wbBanner", {}, "WebBrowser", ""},
        {"FrmMain", "lvwRegistryToBeDeleted", {}, "ListView", "Frame"},
        {"FrmMain", "mnuFileItem", 8, "Menu", "mnuFile"},
        {"FrmMain", "mnuLanguageItem", 0, "Menu", "mnuLanuages"},
        {"FrmMain", "tmrTimeOut", {}, "Timer", ""},
        {"frmLanguage", "Label1", {}, "SkinLabel", ""},
        {"frmLanguage", "Combo1", {}, "ComboBox", ""},
        {"frmSpywareFoundAlert", "lblAlertFileName", {}, "SkinLabel", ""},
        {"frmSpywareFoundAlert", "SkinLabel1", 0, "SkinLabel", ""},
        {"frmHomePageChangedAlert", "Picture1", {}, "PictureBox", ""},
        {"frmDelete", "lstProblem", {}, "ListView", ""},
        {"frmReport", "txtReport", {}, "TextBox", ""},
        {"frmMenuPopUp", "lblName", {}, "SkinLabel", ""},
        {"frmMenuPopUp", "mnuClose", {}, "CommandButton", ""},
        {"frmAbout", "lblWebsite", {}, "Label", ""},
        {"frmWebsite", "Command7", 0, "CommandButton", "frmBrowser"},
        {"frmWebsite", "WebBrowser1", {}, "WebBrowser", "frmBrowser"},
        {"frmWebsite", "StatusBar1", {}, "StatusBar", ""},
        {"frmSignatureUpdated", "lblUpdateInfo", {}, "SkinLabel", ""},
        {"frmSignatureUpdated", "Label1", {}, "Label", ""},
        {"frmDownload", "lblProduct", {}, "SkinLabel", ""},
        {"frmDownload", "picDown", {}, "PictureBox", ""},
    };
    for (const Expected& e : expected) {
        const forms::Control& control = Control(e.window, e.name, e.index);
        EXPECT_EQ(control.TypeName(), e.type) << e.window << "." << e.name;
        EXPECT_EQ(control.Index(), e.index) << e.window << "." << e.name;
        const std::string container = control.Container() ? control.Container()->Name() : "";
        EXPECT_EQ(container, e.container) << e.window << "." << e.name;
    }
    // Single controls are no array elements: their language-file keys end in 0.
    EXPECT_EQ(Control("FrmMain", "optMemorySheildOn").Index(), std::nullopt);
    EXPECT_EQ(Control("FrmMain", "mnuDebug").Index(), std::nullopt);
}

TEST_F(WindowDesign, CaptionsAreTheDesignTexts) {
    struct Expected {
        const char* window;
        const char* name;
        std::optional<int> index;
        const char* caption;
    };
    const Expected expected[] = {
        {"FrmMain", "frmStatus", {}, "Status"},
        {"FrmMain", "frmScan", {}, "Scan"},
        {"FrmMain", "frmResults", {}, "Results"},
        {"FrmMain", "cmdScanNow", {}, "Start"},
        {"FrmMain", "cmdScan", {}, "Scan Now"},
        {"FrmMain", "Command1", {}, "Scan Now"},
        {"FrmMain", "cmdStop", {}, "Stop"},
        {"FrmMain", "cmdPause", {}, "Pause"},
        {"FrmMain", "cmdLog", {}, "View Log"},
        {"FrmMain", "cmdUpdate", {}, "Live Update"},
        {"FrmMain", "cmdStatus", {}, "Status"},
        {"FrmMain", "cmdResults", {}, "Results/Removal"},
        {"FrmMain", "cmdSettings", {}, "Settings"},
        {"FrmMain", "cmdRemove", {}, "Click Here to Continue"},
        {"FrmMain", "cmdSelectAll", {}, "Select All"},
        {"FrmMain", "cmdExclude", {}, "Exclude"},
        {"FrmMain", "Command4", {}, "Delete"},
        {"FrmMain", "Command5", {}, "Send to Tray"},
        {"FrmMain", "cmdLiveUpdate", {}, "Run Live Update Now"},
        {"FrmMain", "CmdProceed", {}, "Apply"},
        {"FrmMain", "cmdDefaultSetting", {}, "Reset"},
        {"FrmMain", "Command2", {}, "Browse"},
        {"FrmMain", "cmdSubmit", {}, "Submit"},
        {"FrmMain", "Label26", {}, "Results:"},
        {"FrmMain", "lblSweepNow", {}, "Sweep Now"},
        {"FrmMain", "lblResult", {}, "Result"},
        {"FrmMain", "lblRemove", {}, "Remove"},
        {"FrmMain", "lblOptions", {}, "Options"},
        {"FrmMain", "lblExit", {}, "Exit"},
        {"FrmMain", "lblHide", {}, "X"},
        {"FrmMain", "lblViewLogFile", {}, "Show Report"},
        {"FrmMain", "lblStart", {}, "Start"},
        {"FrmMain", "lblPause", {}, "Pause"},
        {"FrmMain", "lblStop", {}, "Stop"},
        {"FrmMain", "chkSweepMemory", {}, "Scan Proccesses and Files"},
        {"FrmMain", "chkScanRegistry", {}, "Scan Windows Registry"},
        {"FrmMain", "chkScanCookies", {}, "Scan Internet Cookies"},
        {"FrmMain", "chkMakeLog", {}, "Save scan results to log"},
        {"FrmMain", "chkSendData", {}, "Send anonymous data to help identify unknown spyware"},
        {"FrmMain", "chkAutomaticUpdate", {}, "Enable automatic Live update (recommended)"},
        {"FrmMain", "chkRunAtStartup", {}, "Run at Startup and protect my computer automatically"},
        {"FrmMain", "chkHomePage", {}, "Enable"},
        {"FrmMain", "chkAutoProtect", {}, "Enable"},
        {"FrmMain", "chkAutomaticScanYesOrNo", {}, "Enable Scheduled Scans"},
        {"FrmMain", "chkAutoDel", {}, "Delete spyware automatically after scheduled scan"},
        {"FrmMain", "optIEHomePageSheildOn", {}, "Enabled"},
        {"FrmMain", "optIEHomePageSheildOff", {}, "Disabled"},
        {"FrmMain", "optMemorySheildOn", {}, "Enabled"},
        {"FrmMain", "optMemorySheildOff", {}, "Disabled"},
        {"FrmMain", "optAlwaysnotifybeforerestoring", {}, "Ask me what I would like to do"},
        {"FrmMain",
         "optRestoredefaultwithoutnotification",
         {},
         "Silently restore my original home page"},
        {"FrmMain", "optScanAllSelectedHardDrive", {}, "Complete System Scan"},
        {"FrmMain", "optScanOnlyKnownSoftwares", {}, "Quick Scan"},
        {"frmLanguage", "Label1", {}, "Please select the language you would like to use:"},
        {"frmLanguage", "Command1", {}, "Check for language updates"},
        {"frmLanguage", "Command3", {}, "Translate this program"},
        {"frmLanguage", "Command2", {}, "OK"},
        {"frmSpywareFoundAlert", "lblProductName", {}, "Malicious Program Found"},
        {"frmSpywareFoundAlert", "Label1", {}, "Spyware/Adware has been detected."},
        {"frmSpywareFoundAlert", "SkinLabel4", {}, "File Name:"},
        {"frmSpywareFoundAlert", "lblAlertFileName", {}, "Unknown Executable"},
        {"frmSpywareFoundAlert", "SkinLabel5", {}, "Company Name:"},
        {"frmSpywareFoundAlert", "lblAlertCompanyName", {}, "Unknown Company"},
        {"frmSpywareFoundAlert", "SkinLabel2", {}, "Click STOP to stop it from running."},
        {"frmSpywareFoundAlert", "SkinLabel3", {}, "Click ALLOW to allow the program to run."},
        {"frmSpywareFoundAlert", "SkinLabel1", 0, "Windowed Label"},
        {"frmSpywareFoundAlert", "cmdYes", {}, "STOP"},
        {"frmSpywareFoundAlert", "cmdNO", {}, "ALLOW"},
        {"frmHomePageChangedAlert", "lblHomePageInfo", {}, "##########"},
        {"frmHomePageChangedAlert", "cmdYes", {}, "Yes"},
        {"frmHomePageChangedAlert", "cmdNO", {}, "No"},
        {"frmDelete",
         "SkinLabel11",
         {},
         "The following files could not be deleted.  You should save your work, close all "
         "running programs (especially browsers) and try to delete them again."},
        {"frmDelete",
         "SkinLabel2",
         {},
         "If you still cannot delete them, you should start your computer in Safe Mode and "
         "either scan again or delete them manually."},
        {"frmDelete", "Command1", {}, "Ok"},
        {"frmDelete", "Command2", {}, "Copy List"},
        {"frmReport", "cmdOk", {}, "OK"},
        {"frmMenuPopUp", "lblMenuClose", {}, "Close This Menu"},
        {"frmMenuPopUp", "mnuMaxmimaize", {}, "Show Program"},
        {"frmMenuPopUp", "mnuClose", {}, "Exit Program"},
        {"frmAbout", "Label1", {}, "Your Program Name"},
        {"frmAbout", "Label3", {}, "Owned By:"},
        {"frmAbout", "lblCompany", {}, "Owned By:"},
        {"frmAbout", "Label2", {}, "Version:"},
        {"frmAbout", "lblVersion", {}, "Version:"},
        {"frmAbout", "Label4", {}, "Website:"},
        {"frmAbout", "lblWebsite", {}, "Website:"},
        {"frmWebsite", "Label5", {}, "URL:"},
        {"frmWebsite", "frmBrowser", {}, "Browser"},
        {"frmSignatureUpdated",
         "lblUpdateInfo",
         {},
         "All application spyware/adware definitions have been updated."},
        {"frmSignatureUpdated", "cmdUpdateSuccesfullOK", {}, "OK"},
        {"frmDownload", "lblProduct", {}, "Connecting: Checking for Updates"},
        {"frmDownload", "lblStatus", {}, ""},
        {"frmDownload", "Command1", {}, "Cancel"},
    };
    for (const Expected& e : expected) {
        forms::CaptionedControl* captioned = forms::AsCaptioned(Control(e.window, e.name, e.index));
        ASSERT_NE(captioned, nullptr) << e.window << "." << e.name;
        EXPECT_EQ(captioned->Caption(), e.caption) << e.window << "." << e.name;
    }
    EXPECT_EQ(Window("frmDelete").Caption(), "Delete Failed");
    EXPECT_EQ(Window("frmReport").Caption(), "Log");
    EXPECT_EQ(Window("frmLanguage").Caption(), "Language Selection");
    EXPECT_EQ(static_cast<forms::ComboBox&>(Control("frmLanguage", "Combo1")).Text(),
              "Choose Language Here");
}

TEST_F(WindowDesign, TimersHaveTheirIntervalsAndStartStates) {
    struct Expected {
        const char* window;
        const char* name;
        int interval;
        bool enabled;
    };
    const Expected expected[] = {
        {"FrmMain", "tmrMemoryInspected", 10000, true},
        {"FrmMain", "tmrCheckHomePage", 5000, true},
        {"FrmMain", "tmrScheduler", 250, false},
        {"FrmMain", "timUpdate", 1000, false},
        {"FrmMain", "tmrScroll", 200, false},
        {"FrmMain", "tmrCheckSignature", 60000, false},
        {"frmSplash", "Timer2", 2, false},
        {"frmSpywareFoundAlert", "tmrBlink", 800, false},
        {"frmMenuPopUp", "tmrMenuPopup", 1, false},
        {"frmMenuPopUp", "TmrEnablePopDown", 1000, false},
        {"frmMenuPopUp", "tmrPopDown", 10, false},
        {"frmSignatureUpdated", "tmrPopupSignatureUpdate", 10, true},
        {"frmSignatureUpdated", "tmrEnablePopDownTimer", 7000, true},
        {"frmSignatureUpdated", "tmrPopDown", 10, true},
        {"frmDownload", "tmrBlink", 800, true},
    };
    for (const Expected& e : expected) {
        const auto& timer = static_cast<forms::Timer&>(Control(e.window, e.name));
        EXPECT_EQ(timer.Interval(), e.interval) << e.window << "." << e.name;
        EXPECT_EQ(timer.Enabled(), e.enabled) << e.window << "." << e.name;
    }
}

std::vector<std::string> Headers(const forms::ListView& list) {
    std::vector<std::string> headers;
    for (int i = 1; i <= list.ColumnHeaders.Count(); ++i) {
        headers.push_back(list.ColumnHeaders(i).Text());
    }
    return headers;
}

TEST_F(WindowDesign, ResultListsHaveTheirColumnsTicksAndIcons) {
    using Texts = std::vector<std::string>;
    FrmMainForm& main = Main();
    EXPECT_EQ(Headers(main.lvwSpywareFound), Texts{""});
    EXPECT_EQ(Headers(main.lvwPicRemoveListOfSpywareFoundAndToBeRemoved),
              (Texts{"Spyware/Adware Found", "Location", "Type"}));
    EXPECT_EQ(Headers(main.lvwFilesToBeDeleted), (Texts{"", ""}));
    EXPECT_EQ(Headers(main.lvwFileNotFounds), (Texts{"", ""}));
    EXPECT_EQ(Headers(main.lvwRegistryToBeDeleted),
              (Texts{"Main Key", "KeyValue", "Value", "SpywareName"}));
    EXPECT_EQ(Headers(main.lvwCookiesToDelete), (Texts{"Cookie Name", "CookieLocation"}));
    EXPECT_EQ(Headers(main.lvwHardDrives), Texts{""});
    EXPECT_EQ(Headers(static_cast<forms::ListView&>(Control("frmDelete", "lstProblem"))),
              Texts{"Location"});

    for (const forms::ListView* ticked :
         {&main.lvwPicRemoveListOfSpywareFoundAndToBeRemoved, &main.lvwFilesToBeDeleted,
          &main.lvwRegistryToBeDeleted, &main.lvwCookiesToDelete, &main.lvwHardDrives}) {
        EXPECT_TRUE(ticked->Checkboxes()) << ticked->Name();
    }
    EXPECT_FALSE(main.lvwSpywareFound.Checkboxes());
    // The scan log and the threat list share the five result icons.
    EXPECT_EQ(main.lvwSpywareFound.SmallIconImages().size(), 5u);
    EXPECT_EQ(main.lvwPicRemoveListOfSpywareFoundAndToBeRemoved.SmallIconImages(),
              main.lvwSpywareFound.SmallIconImages());
}

TEST_F(WindowDesign, TabsComboEntriesAndMenusAreInPlace) {
    FrmMainForm& main = Main();
    ASSERT_EQ(main.TabStrip1.Tabs.Count(), 4);
    EXPECT_EQ(main.TabStrip1.Tabs(1).Caption(), "Scan Options");
    EXPECT_EQ(main.TabStrip1.Tabs(2).Caption(), "Proactive Protection");
    EXPECT_EQ(main.TabStrip1.Tabs(3).Caption(), "Schedule");
    EXPECT_EQ(main.TabStrip1.Tabs(4).Caption(), "Auto Update");
    EXPECT_EQ(main.frmView.Count(), 4);
    for (forms::Frame* page : main.frmView.Elements()) {
        EXPECT_EQ(page->Visible(), page->Index() == 0) << "the first tab's page shows first";
    }

    std::vector<std::string> days;
    for (int i = 0; i < main.cmbDays.ListCount(); ++i) {
        days.push_back(main.cmbDays.List(i));
    }
    EXPECT_EQ(days,
              (std::vector<std::string>{"Monday", "Tuesday", "Wednesday", "Thursday", "Friday",
                                        "Saturday", "Sunday", "Daily", "Date & Time", "Never"}));
    EXPECT_EQ(main.cmbDays.Style(), forms::ComboStyle::DropDownList);
    EXPECT_EQ(main.dtpScheduleDate.CustomFormat(), "dd/MM/yyyy");
    EXPECT_EQ(main.dtpScheduleTime.CustomFormat(), "hh:mm:ss");
    EXPECT_FALSE(main.dtpScheduleDate.Value().has_value());

    const auto captions = [](const forms::ControlArray<forms::Menu>& items) {
        std::vector<std::string> texts;
        for (const forms::Menu* item : items.Elements()) {
            texts.push_back(item->Caption());
        }
        return texts;
    };
    using Texts = std::vector<std::string>;
    EXPECT_EQ(captions(main.mnuFileItem),
              (Texts{"Scan Now", "-", "View Log", "-", "Run Live Update", "-", "Minimize to Tray",
                     "-", "Exit"}));
    EXPECT_FALSE(main.mnuFileItem(1).Visible());
    EXPECT_TRUE(main.mnuFileItem(3).IsSeparator());
    EXPECT_EQ(captions(main.mnuSettingsItem),
              (Texts{"Scan Options", "Proactive Protection", "Schedule", "Auto Update"}));
    EXPECT_EQ(captions(main.mnuQuarItem), (Texts{"View Quarantine", "View Exclusions"}));
    EXPECT_EQ(captions(main.mnuLanguageItem), Texts{"Change Language"});
    EXPECT_EQ(captions(main.mnuHelpItem), Texts{"View Help"});
    EXPECT_EQ(captions(main.mnuAboutItem), Texts{"About this software"});
    EXPECT_EQ(captions(main.mnuDebugItem),
              (Texts{"Show Homepage Changed", "Show SignatureUpdated", "Show SpywareFound"}));
    EXPECT_FALSE(main.mnuDebug.Visible()) << "never on the menu bar";
    EXPECT_EQ(main.mnuFile.Caption(), "File");
    EXPECT_EQ(main.mnuLanuages.Caption(), "Languages");
}

// The settings loader's first run stores the defaults through the click handlers, which run only
// for values that change: every box starts unticked and every option button unset.
TEST_F(WindowDesign, OptionControlsStartClearSoThatTheFirstRunStoresTheDefaults) {
    for (forms::Control* control : Main().Controls()) {
        if (auto* box = dynamic_cast<forms::CheckBox*>(control)) {
            EXPECT_EQ(box->Value(), forms::kUnchecked) << box->Name();
        }
        if (auto* option = dynamic_cast<forms::OptionButton*>(control)) {
            EXPECT_FALSE(option->Value()) << option->Name();
        }
    }
    EXPECT_FALSE(Main().CmdProceed.Enabled()) << "Apply comes on with the first change";
    EXPECT_FALSE(Main().cmdStop.Enabled());
    EXPECT_FALSE(Main().cmdPause.Enabled());
}

// Option buttons of one container clear each other: each pair needs a container of its own.
TEST_F(WindowDesign, EachOptionPairHasAContainerOfItsOwn) {
    std::map<const forms::Control*, std::set<std::string>> optionsByContainer;
    for (const forms::Control* control : Main().Controls()) {
        if (control->Kind() == forms::ControlKind::OptionButton) {
            optionsByContainer[control->Container()].insert(control->Name());
        }
    }
    const std::set<std::set<std::string>> pairs = {
        {"optIEHomePageSheildOn", "optIEHomePageSheildOff"},
        {"optMemorySheildOn", "optMemorySheildOff"},
        {"optAlwaysnotifybeforerestoring", "optRestoredefaultwithoutnotification"},
        {"optScanAllSelectedHardDrive", "optScanOnlyKnownSoftwares"}};
    std::set<std::set<std::string>> found;
    for (const auto& [container, names] : optionsByContainer) {
        found.insert(names);
    }
    EXPECT_EQ(found, pairs);
}

// The start-up copies each plain label of the main window into the first skin-label array whose
// pattern shares the label's container, so the six patterns lie in six containers.
TEST_F(WindowDesign, SkinLabelPatternsAreHiddenAndSpreadOverTheContainers) {
    FrmMainForm& main = Main();
    std::set<const forms::Control*> containers;
    for (auto* array : {&main.SkinLabel1, &main.SkinLabel2, &main.SkinLabel3, &main.SkinLabel4,
                        &main.SkinLabel5, &main.SkinLabel6}) {
        ASSERT_EQ(array->Count(), 1);
        EXPECT_FALSE((*array)(0).Visible()) << array->Name();
        containers.insert((*array)(0).Container());
    }
    EXPECT_EQ(containers.size(), 6u);
    EXPECT_TRUE(containers.contains(nullptr)) << "the side column's labels are on the window";
    EXPECT_TRUE(containers.contains(&main.frmStatus));
    EXPECT_TRUE(containers.contains(&main.frmScan));

    for (const auto& window : windows) {
        if (forms::Control* pattern = window->FindControl("SkinLabel1", 0)) {
            EXPECT_FALSE(pattern->Visible()) << window->Name();
        }
    }
}

TEST_F(WindowDesign, ContainersComeBeforeTheirControlsAndArraysInIndexOrder) {
    for (const auto& window : windows) {
        std::set<const forms::Control*> seen;
        std::map<std::string, int> lastIndex;
        for (const forms::Control* control : window->Controls()) {
            if (control->Container() != nullptr) {
                EXPECT_TRUE(seen.contains(control->Container()))
                    << window->Name() << "." << control->Name() << " comes before its container";
            }
            if (control->Index()) {
                auto [last, first] = lastIndex.try_emplace(control->Name(), *control->Index());
                EXPECT_TRUE(first || *control->Index() > last->second) << control->Name();
                last->second = *control->Index();
            }
            seen.insert(control);
        }
    }
}

TEST_F(WindowDesign, TrayMenuMeasuresInPixelsWithItsGivenSizes) {
    FrmMenuPopUpForm menu;
    EXPECT_EQ(menu.ScaleMode(), forms::ScaleMode::Pixels);
    EXPECT_DOUBLE_EQ(menu.ScaleWidth() * 15, 4215);
    EXPECT_DOUBLE_EQ(menu.ScaleHeight() * 15, 1785);
    const double tops[] = {60, 420, 780, 1140};
    const forms::Control* const items[] = {&menu.lblName, &menu.lblMenuClose, &menu.mnuMaxmimaize,
                                           &menu.mnuClose};
    for (int i = 0; i < 4; ++i) {
        EXPECT_DOUBLE_EQ(items[i]->Left() * 15, 180) << items[i]->Name();
        EXPECT_DOUBLE_EQ(items[i]->Top() * 15, tops[i]) << items[i]->Name();
        EXPECT_DOUBLE_EQ(items[i]->Width() * 15, 3975) << items[i]->Name();
        EXPECT_DOUBLE_EQ(items[i]->Height() * 15, 315) << items[i]->Name();
        EXPECT_EQ(items[i]->Font().name, "Verdana");
        EXPECT_TRUE(items[i]->Font().bold);
    }
    EXPECT_DOUBLE_EQ(menu.lblName.Font().size, 12);
    EXPECT_DOUBLE_EQ(menu.mnuClose.Font().size, 8.25);
}

}  // namespace
