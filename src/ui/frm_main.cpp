// The main window's design: the top row, the side column, the out-of-view lists, the menus and
// the timers; the panels are designed in frm_main_panels.cpp and frm_main_option_pages.cpp.
#include "ui/frm_main.h"

#include <utility>

#include "forms/form_registry.h"
#include "ui/design.h"
#include "ui/frm_main_design.h"
#include "ui/pictures.h"

using design::Place;
using namespace main_design;

namespace {

void DesignMenuItems(forms::ControlArray<forms::Menu>& items, forms::Menu& menu,
                     std::initializer_list<const char*> captions) {
    int index = 0;
    for (const char* caption : captions) {
        items(index).SetContainer(&menu);
        items(index).SetCaption(caption);
        ++index;
    }
}

}  // namespace

FrmMainForm::FrmMainForm() : Form("FrmMain") {
    SetCaption("Spyware Protection");
    SetIcon(pictures::kProgramIcon);
    Move(1800, 1200, kWindowWidth, kWindowHeight);
    // Smaller, the panels would cut their rows and counters off.
    SetMinimumSize(kWindowWidth, kWindowHeight);
    DesignTopAndSideColumn();
    DesignStatusPanel();
    DesignScanPanel();
    DesignResultsPanel();
    DesignOptionsPanel();
    DesignWorkLists();
    DesignMenus();
    DesignTimers();
    WireEvents();
    WireMenus();
}

void FrmMainForm::DesignTopAndSideColumn() {
    Place(Command5, nullptr, "Send to Tray", kMargin, kMargin, kSideWidth, kTopRowHeight);
    // Stretched to 200 short of the window's right edge.
    Place(cmdWebsite, nullptr, "Visit Our Website", kPanelLeft, kMargin,
          kWindowWidth - kPanelLeft - 200, kTopRowHeight);
    // Where the banner goes when the identity shows one: the panels then move down below it.
    Place(wbBanner, nullptr, kPanelLeft, kPanelTop, kPanelWidth, 900);
    wbBanner.SetVisible(false);

    const std::pair<forms::CommandButton*, const char*> sideButtons[] = {
        {&cmdStatus, "Status"},     {&cmdScan, "Scan Now"},      {&cmdResults, "Results/Removal"},
        {&cmdSettings, "Settings"}, {&cmdUpdate, "Live Update"}, {&cmdLog, "View Log"}};
    double top = kPanelTop;
    for (auto [button, caption] : sideButtons) {
        Place(*button, nullptr, caption, kMargin, top, kSideWidth, 450);
        top += 525;
    }

    // The text menu: commands written as links.
    const std::pair<forms::Label*, const char*> menuLabels[] = {{&lblSweepNow, "Sweep Now"},
                                                                {&lblResult, "Result"},
                                                                {&lblRemove, "Remove"},
                                                                {&lblOptions, "Options"},
                                                                {&lblViewLogFile, "Show Report"},
                                                                {&lblExit, "Exit"},
                                                                {&lblHide, "X"}};
    top += 210;
    for (auto [label, caption] : menuLabels) {
        Place(*label, nullptr, caption, 2 * kMargin, top, kSideWidth - kMargin, 240);
        label->SetForeColor(kLinkColor);
        top += 270;
    }

    Place(wbPicture, nullptr, kMargin + (kSideWidth - 720) / 2, 5940, 720, 720);
    wbPicture.SetPicture(pictures::kProgramLogo);
    Place(lblWebText, nullptr, "", kMargin, 6720, kSideWidth, kFieldHeight);
    lblWebText.SetWordWrap(true);
    design::PlaceSkinLabelPattern(SkinLabel1, nullptr);
}

void FrmMainForm::DesignWorkLists() {
    // Kept below the window's bottom edge: nobody looks at these lists, the removal reads them.
    Place(Frame, nullptr, "Removal Lists", kMargin, kWindowHeight + 1000, 8745, 2700);
    Place(lvwFilesToBeDeleted, &Frame, 120, 240, 4170, 1080);
    design::AddColumns(lvwFilesToBeDeleted, {{"", 2000}, {"", 2000}});
    Place(lvwFileNotFounds, &Frame, 4410, 240, 4170, 1080);
    design::AddColumns(lvwFileNotFounds, {{"", 2000}, {"", 2000}});
    Place(lvwRegistryToBeDeleted, &Frame, 120, 1440, 4170, 1080);
    design::AddColumns(
        lvwRegistryToBeDeleted,
        {{"Main Key", 1000}, {"KeyValue", 1000}, {"Value", 1000}, {"SpywareName", 1000}});
    Place(lvwCookiesToDelete, &Frame, 4410, 1440, 4170, 1080);
    design::AddColumns(lvwCookiesToDelete, {{"Cookie Name", 2000}, {"CookieLocation", 2000}});
    for (forms::ListView* list : {&lvwFilesToBeDeleted, &lvwFileNotFounds}) {
        list->SetHideColumnHeaders(true);
    }
    // Out of view, so out of the Tab order: the keyboard never goes where nobody can see it.
    for (forms::ListView* list :
         {&lvwFilesToBeDeleted, &lvwFileNotFounds, &lvwRegistryToBeDeleted, &lvwCookiesToDelete}) {
        list->SetTabStop(false);
    }
    for (forms::ListView* list :
         {&lvwFilesToBeDeleted, &lvwRegistryToBeDeleted, &lvwCookiesToDelete}) {
        list->SetCheckboxes(true);
    }
}

void FrmMainForm::DesignMenus() {
    mnuFile.SetCaption("File");
    // Item 1 is a hidden separator without a command.
    DesignMenuItems(mnuFileItem, mnuFile,
                    {"Scan Now", "-", "View Log", "-", "Run Live Update", "-", "Minimize to Tray",
                     "-", "Exit"});
    mnuFileItem(1).SetVisible(false);
    mnuSettings.SetCaption("Settings");
    DesignMenuItems(mnuSettingsItem, mnuSettings,
                    {"Scan Options", "Proactive Protection", "Schedule", "Auto Update"});
    mnuQuar.SetCaption("Quarantine");
    DesignMenuItems(mnuQuarItem, mnuQuar, {"View Quarantine", "View Exclusions"});
    mnuLanuages.SetCaption("Languages");
    DesignMenuItems(mnuLanguageItem, mnuLanuages, {"Change Language"});
    mnuHelp.SetCaption("Help");
    DesignMenuItems(mnuHelpItem, mnuHelp, {"View Help"});
    mnuAbout.SetCaption("About");
    DesignMenuItems(mnuAboutItem, mnuAbout, {"About this software"});
    mnuDebug.SetCaption("Debug");
    mnuDebug.SetVisible(false);
    DesignMenuItems(mnuDebugItem, mnuDebug,
                    {"Show Homepage Changed", "Show SignatureUpdated", "Show SpywareFound"});
}

void FrmMainForm::DesignTimers() {
    design::SetTimer(tmrMemoryInspected, 10000, true);
    design::SetTimer(tmrCheckHomePage, 5000, true);
    // The start-up arms the scheduler and the automatic update from the settings, and the
    // resize arms the scroll timer in the normal window state.
    // A schedule names a second: four looks a second never miss one, and a program waiting in
    // the tray for its scan wakes four times a second rather than a hundred.
    design::SetTimer(tmrScheduler, 250, false);
    design::SetTimer(timUpdate, 1000, false);
    design::SetTimer(tmrScroll, 200, false);
    design::SetTimer(tmrCheckSignature, 60000, false);
    design::SetTimer(tmrTimeOut, 0, false);
}

void FrmMainForm::WireEvents() {
    // Top row and side column.
    Command5.OnClick = [this] { Command5_Click(); };
    cmdWebsite.OnClick = [this] { cmdWebsite_Click(); };
    cmdStatus.OnClick = [this] { cmdStatus_Click(); };
    cmdScan.OnClick = [this] { cmdScan_Click(); };
    cmdResults.OnClick = [this] { cmdResults_Click(); };
    cmdSettings.OnClick = [this] { cmdSettings_Click(); };
    cmdUpdate.OnClick = [this] { cmdUpdate_Click(); };
    cmdUpdate.OnMouseDown = [this](int b, int s, double x, double y) {
        cmdUpdate_MouseDown(b, s, x, y);
    };
    cmdLog.OnClick = [this] { cmdLog_Click(); };
    lblResult.OnClick = [this] { lblResult_Click(); };
    lblRemove.OnClick = [this] { lblRemove_Click(); };
    lblOptions.OnClick = [this] { lblOptions_Click(); };
    lblViewLogFile.OnClick = [this] { lblViewLogFile_Click(); };
    lblHide.OnClick = [this] { lblHide_Click(); };
    lblHide.OnMouseMove = [this](int b, int s, double x, double y) {
        lblHide_MouseMove(b, s, x, y);
    };
    wbBanner.OnNewWindow2 = [this](bool& cancel) { wbBanner_NewWindow2(cancel); };
    wbBanner.OnStatusTextChange = [this](const std::string& text) {
        wbBanner_StatusTextChange(text);
    };
    wbBanner.OnBeforeNavigate2 = [this](const std::string& url, bool& cancel) {
        wbBanner_BeforeNavigate2(url, cancel);
    };
    wbBanner.OnDocumentComplete = [this](const std::string& url) {
        wbBanner_DocumentComplete(url);
    };
    wbBanner.OnDownloadComplete = [this] { wbBanner_DownloadComplete(); };

    // Status and scan panels.
    Command1.OnClick = [this] { Command1_Click(); };
    cmdScanNow.OnClick = [this] { cmdScanNow_Click(); };
    cmdPause.OnClick = [this] { cmdPause_Click(); };
    cmdStop.OnClick = [this] { cmdStop_Click(); };
    lblStart.OnClick = [this] { lblStart_Click(); };
    lblPause.OnClick = [this] { lblPause_Click(); };
    lblStop.OnClick = [this] { lblStop_Click(); };
    lblStart.OnMouseMove = [this](int b, int s, double x, double y) {
        lblStart_MouseMove(b, s, x, y);
    };
    lblPause.OnMouseMove = [this](int b, int s, double x, double y) {
        lblPause_MouseMove(b, s, x, y);
    };
    lblStop.OnMouseMove = [this](int b, int s, double x, double y) {
        lblStop_MouseMove(b, s, x, y);
    };
    frmScan.OnMouseMove = [this](int b, int s, double x, double y) {
        frmScan_MouseMove(b, s, x, y);
    };
    cmdRemove.OnClick = [this] { cmdRemove_Click(); };

    // Results panel.
    lvwPicRemoveListOfSpywareFoundAndToBeRemoved.OnItemCheck = [this](forms::ListItem& item) {
        lvwPicRemoveListOfSpywareFoundAndToBeRemoved_ItemCheck(item);
    };
    cmdSelectAll.OnClick = [this] { cmdSelectAll_Click(); };
    cmdExclude.OnClick = [this] { cmdExclude_Click(); };
    Command4.OnClick = [this] { Command4_Click(); };

    // Options panel.
    TabStrip1.OnClick = [this] { TabStrip1_Click(); };
    chkSweepMemory.OnClick = [this] { chkSweepMemory_Click(); };
    chkScanRegistry.OnClick = [this] { chkScanRegistry_Click(); };
    chkScanCookies.OnClick = [this] { chkScanCookies_Click(); };
    chkMakeLog.OnClick = [this] { chkMakeLog_Click(); };
    optScanAllSelectedHardDrive.OnClick = [this] { optScanAllSelectedHardDrive_Click(); };
    optScanOnlyKnownSoftwares.OnClick = [this] { optScanOnlyKnownSoftwares_Click(); };
    lvwHardDrives.OnItemCheck = [this](forms::ListItem& item) { lvwHardDrives_ItemCheck(item); };
    chkAutoProtect.OnClick = [this] { chkAutoProtect_Click(); };
    optMemorySheildOn.OnClick = [this] { optMemorySheildOn_Click(); };
    optMemorySheildOff.OnClick = [this] { optMemorySheildOff_Click(); };
    chkHomePage.OnClick = [this] { chkHomePage_Click(); };
    optIEHomePageSheildOn.OnClick = [this] { optIEHomePageSheildOn_Click(); };
    optIEHomePageSheildOff.OnClick = [this] { optIEHomePageSheildOff_Click(); };
    optAlwaysnotifybeforerestoring.OnClick = [this] { optAlwaysnotifybeforerestoring_Click(); };
    optRestoredefaultwithoutnotification.OnClick = [this] {
        optRestoredefaultwithoutnotification_Click();
    };
    chkRunAtStartup.OnClick = [this] { chkRunAtStartup_Click(); };
    chkAutomaticScanYesOrNo.OnClick = [this] { chkAutomaticScanYesOrNo_Click(); };
    cmbDays.OnClick = [this] { cmbDays_Click(); };
    dtpScheduleDate.OnChange = [this] { dtpScheduleDate_Change(); };
    dtpScheduleTime.OnClick = [this] { dtpScheduleTime_Click(); };
    chkAutoDel.OnClick = [this] { chkAutoDel_Click(); };
    CmdProceed.OnClick = [this] { CmdProceed_Click(); };
    cmdDefaultSetting.OnClick = [this] { cmdDefaultSetting_Click(); };
    chkAutomaticUpdate.OnClick = [this] { chkAutomaticUpdate_Click(); };
    cmdLiveUpdate.OnClick = [this] { cmdLiveUpdate_Click(); };
    // Only the user's mouse-up or Space: a value set by code never asks the consent question.
    chkSendData.OnMouseUp = [this](int b, int s, double x, double y) {
        chkSendData_MouseUp(b, s, x, y);
    };
    chkSendData.OnKeyUp = [this](int keyCode, int shift) { chkSendData_KeyUp(keyCode, shift); };
    txtFilename.OnKeyPress = [this](int& keyAscii) { txtFilename_KeyPress(keyAscii); };
    Command2.OnClick = [this] { Command2_Click(); };
    cmdSubmit.OnClick = [this] { cmdSubmit_Click(); };

    // Timers.
    tmrMemoryInspected.OnTimer = [this] { tmrMemoryInspected_Timer(); };
    tmrCheckHomePage.OnTimer = [this] { tmrCheckHomePage_Timer(); };
    tmrScheduler.OnTimer = [this] { tmrScheduler_Timer(); };
    timUpdate.OnTimer = [this] { timUpdate_Timer(); };
    tmrScroll.OnTimer = [this] { tmrScroll_Timer(); };
}

void FrmMainForm::WireMenus() {
    mnuFileItem.Wire([this](forms::Menu& item, int index) {
        item.OnClick = [this, index] { mnuFileItem_Click(index); };
    });
    mnuSettingsItem.Wire([this](forms::Menu& item, int index) {
        item.OnClick = [this, index] { mnuSettingsItem_Click(index); };
    });
    mnuQuarItem.Wire([this](forms::Menu& item, int index) {
        item.OnClick = [this, index] { mnuQuarItem_Click(index); };
    });
    mnuLanguageItem.Wire([this](forms::Menu& item, int index) {
        item.OnClick = [this, index] { mnuLanguageItem_Click(index); };
    });
    mnuHelpItem.Wire([this](forms::Menu& item, int index) {
        item.OnClick = [this, index] { mnuHelpItem_Click(index); };
    });
    mnuAboutItem.Wire([this](forms::Menu& item, int index) {
        item.OnClick = [this, index] { mnuAboutItem_Click(index); };
    });
    mnuDebugItem.Wire([this](forms::Menu& item, int index) {
        item.OnClick = [this, index] { mnuDebugItem_Click(index); };
    });
}

FrmMainForm& FrmMain() {
    return forms::DefaultInstance<FrmMainForm>();
}
