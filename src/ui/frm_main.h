#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "forms/buttons.h"
#include "forms/common_dialog.h"
#include "forms/containers.h"
#include "forms/control_array.h"
#include "forms/date_picker.h"
#include "forms/form.h"
#include "forms/labels.h"
#include "forms/list_boxes.h"
#include "forms/list_view.h"
#include "forms/menu.h"
#include "forms/progress_bar.h"
#include "forms/tab_strip.h"
#include "forms/text_box.h"
#include "forms/timer.h"
#include "forms/web_browser.h"

// The main window: the side column of panel buttons, four stacked panels (status, scan, results,
// options with its tab strip and pages), the lists a removal works from (kept out of view), the
// menu bar and the timers that drive the shields, the scheduler and the automatic update.
//
// The handlers and procedures are defined in the folder of the subsystem that owns them: the
// scan, the results and the shields in src/engine/, the live update and the submission in
// src/update/, start-up, navigation, options, layout, menus and the tray in src/ui/main_*.cpp.
class FrmMainForm : public forms::Form {
  public:
    FrmMainForm();

    // --- Along the top.
    forms::CommandButton Command5{*this, "Command5"};
    forms::CommandButton cmdWebsite{*this, "cmdWebsite"};
    // The banner browser and its status line; shown only when the identity asks for a banner.
    forms::WebBrowser wbBanner{*this, "wbBanner"};

    // --- The side column: panel buttons, the text menu, the picture the banner replaces.
    forms::CommandButton cmdStatus{*this, "cmdStatus"};
    forms::CommandButton cmdScan{*this, "cmdScan"};
    forms::CommandButton cmdResults{*this, "cmdResults"};
    forms::CommandButton cmdSettings{*this, "cmdSettings"};
    forms::CommandButton cmdUpdate{*this, "cmdUpdate"};
    forms::CommandButton cmdLog{*this, "cmdLog"};
    forms::Label lblSweepNow{*this, "lblSweepNow"};
    forms::Label lblResult{*this, "lblResult"};
    forms::Label lblRemove{*this, "lblRemove"};
    forms::Label lblOptions{*this, "lblOptions"};
    forms::Label lblViewLogFile{*this, "lblViewLogFile"};
    forms::Label lblExit{*this, "lblExit"};
    forms::Label lblHide{*this, "lblHide"};
    forms::Image wbPicture{*this, "wbPicture"};
    forms::Label lblWebText{*this, "lblWebText"};
    // Element 0 of each SkinLabel1..6 array is the pattern for skinned copies of the plain labels
    // of its container: the window, the status, scan and results panels, the schedule and the
    // update pages.
    forms::ControlArray<forms::SkinLabel> SkinLabel1{*this, "SkinLabel1", {0}};

    // --- Status panel.
    forms::Frame frmStatus{*this, "frmStatus"};
    forms::ControlArray<forms::SkinLabel> SkinLabel2{*this, "SkinLabel2", {0}};
    forms::Label Label22{*this, "Label22"};
    forms::Label lblDefCountTitle{*this, "lblDefCountTitle"};
    forms::SkinLabel lblDefCount{*this, "lblDefCount"};
    forms::Label lblVersionTitle{*this, "lblVersionTitle"};
    forms::SkinLabel lblVersion{*this, "lblVersion"};
    forms::Label lblDefVersionTitle{*this, "lblDefVersionTitle"};
    forms::SkinLabel lblDefVersion{*this, "lblDefVersion"};
    forms::Label lblDefRemovedTitle{*this, "lblDefRemovedTitle"};
    forms::SkinLabel lblDefRemoved{*this, "lblDefRemoved"};
    forms::Label lblLastScanTitle{*this, "lblLastScanTitle"};
    forms::SkinLabel lblLastScan{*this, "lblLastScan"};
    forms::Label lblLastFullScanTitle{*this, "lblLastFullScanTitle"};
    forms::SkinLabel lblLastFullScan{*this, "lblLastFullScan"};
    forms::CommandButton Command1{*this, "Command1"};

    // --- Scan panel: commands, counters, the scan log, progress and the status line.
    forms::Frame frmScan{*this, "frmScan"};
    forms::ControlArray<forms::SkinLabel> SkinLabel3{*this, "SkinLabel3", {0}};
    forms::CommandButton cmdScanNow{*this, "cmdScanNow"};
    forms::CommandButton cmdPause{*this, "cmdPause"};
    forms::CommandButton cmdStop{*this, "cmdStop"};
    forms::Label lblStart{*this, "lblStart"};
    forms::Label lblPause{*this, "lblPause"};
    forms::Label lblStop{*this, "lblStop"};
    forms::Shape shpCircle{*this, "shpCircle"};
    forms::Label lblMemoryInspectedTitle{*this, "lblMemoryInspectedTitle"};
    forms::Label lblMemoryInspected{*this, "lblMemoryInspected"};
    forms::Label lblRegistryInspectedTitle{*this, "lblRegistryInspectedTitle"};
    forms::Label lblRegistryInspected{*this, "lblRegistryInspected"};
    forms::Label lblFilesFolderInspectedTitle{*this, "lblFilesFolderInspectedTitle"};
    forms::Label lblFilesFolderInspected{*this, "lblFilesFolderInspected"};
    forms::Label lblTotalNoOfRunningItemsTitle{*this, "lblTotalNoOfRunningItemsTitle"};
    forms::Label lblTotalNoOfRunningItems{*this, "lblTotalNoOfRunningItems"};
    forms::Label lblSoftwareFoundTitle{*this, "lblSoftwareFoundTitle"};
    forms::Label lblSoftwareFound{*this, "lblSoftwareFound"};
    forms::Label lbltracesFoundTitle{*this, "lbltracesFoundTitle"};
    forms::Label lbltracesFound{*this, "lbltracesFound"};
    forms::Label lblPercentageCompleted{*this, "lblPercentageCompleted"};
    forms::ProgressBar pbgMain{*this, "pbgMain"};
    forms::ListView lvwSpywareFound{*this, "lvwSpywareFound"};
    forms::SkinLabel SkinLabel7{*this, "SkinLabel7"};
    forms::ProgressBar pb1{*this, "pb1"};
    forms::SkinLabel SkinLabel8{*this, "SkinLabel8"};
    forms::ProgressBar pb2{*this, "pb2"};
    // Element 0 is the status line; element 1 lies under it, hidden.
    forms::ControlArray<forms::Label> lblStatus{*this, "lblStatus", {0, 1}};
    forms::CommandButton cmdRemove{*this, "cmdRemove"};

    // --- Results panel: the threat list and the removal commands with their progress.
    forms::Frame frmResults{*this, "frmResults"};
    forms::ControlArray<forms::SkinLabel> SkinLabel4{*this, "SkinLabel4", {0}};
    forms::Label lblRemovePicSoftwareFoundTitle{*this, "lblRemovePicSoftwareFoundTitle"};
    forms::Label lblRemovePicSoftwareFound{*this, "lblRemovePicSoftwareFound"};
    forms::Label lblResultsHint{*this, "lblResultsHint"};
    forms::ListView lvwPicRemoveListOfSpywareFoundAndToBeRemoved{
        *this, "lvwPicRemoveListOfSpywareFoundAndToBeRemoved"};
    forms::CommandButton cmdSelectAll{*this, "cmdSelectAll"};
    forms::CommandButton cmdExclude{*this, "cmdExclude"};
    forms::CommandButton Command4{*this, "Command4"};
    forms::ProgressBar pgbDeleteSpywaresFound{*this, "pgbDeleteSpywaresFound"};
    forms::Label lblDeletingPercentageCompleted{*this, "lblDeletingPercentageCompleted"};
    forms::Label lblDeletingCaption{*this, "lblDeletingCaption"};

    // --- Options panel: the tab strip over the pages frmView(0) to frmView(3).
    forms::Frame frmOptions{*this, "frmOptions"};
    forms::TabStrip TabStrip1{*this, "TabStrip1"};
    forms::ControlArray<forms::Frame> frmView{*this, "frmView", {0, 1, 2, 3}};
    // Page 1, scan options.
    forms::Frame fraScanItems{*this, "fraScanItems"};
    forms::CheckBox chkSweepMemory{*this, "chkSweepMemory"};
    forms::CheckBox chkScanRegistry{*this, "chkScanRegistry"};
    forms::CheckBox chkScanCookies{*this, "chkScanCookies"};
    forms::CheckBox chkMakeLog{*this, "chkMakeLog"};
    forms::Frame fraScanMode{*this, "fraScanMode"};
    forms::OptionButton optScanAllSelectedHardDrive{*this, "optScanAllSelectedHardDrive"};
    forms::OptionButton optScanOnlyKnownSoftwares{*this, "optScanOnlyKnownSoftwares"};
    forms::ListView lvwHardDrives{*this, "lvwHardDrives"};
    // Page 2, proactive protection. Each option-button pair has a frame of its own, so that
    // selecting one button clears only its partner.
    forms::Frame fraMemoryShield{*this, "fraMemoryShield"};
    forms::CheckBox chkAutoProtect{*this, "chkAutoProtect"};
    forms::OptionButton optMemorySheildOn{*this, "optMemorySheildOn"};
    forms::OptionButton optMemorySheildOff{*this, "optMemorySheildOff"};
    forms::Frame fraHomePageShield{*this, "fraHomePageShield"};
    forms::CheckBox chkHomePage{*this, "chkHomePage"};
    forms::OptionButton optIEHomePageSheildOn{*this, "optIEHomePageSheildOn"};
    forms::OptionButton optIEHomePageSheildOff{*this, "optIEHomePageSheildOff"};
    forms::Frame fraHomePageAction{*this, "fraHomePageAction"};
    forms::OptionButton optAlwaysnotifybeforerestoring{*this, "optAlwaysnotifybeforerestoring"};
    forms::OptionButton optRestoredefaultwithoutnotification{
        *this, "optRestoredefaultwithoutnotification"};
    forms::CheckBox chkRunAtStartup{*this, "chkRunAtStartup"};
    // Page 3, schedule.
    forms::ControlArray<forms::SkinLabel> SkinLabel5{*this, "SkinLabel5", {0}};
    forms::CheckBox chkAutomaticScanYesOrNo{*this, "chkAutomaticScanYesOrNo"};
    forms::Label lblScheduleDay{*this, "lblScheduleDay"};
    forms::ComboBox cmbDays{*this, "cmbDays"};
    forms::Label lblScheduleDate{*this, "lblScheduleDate"};
    forms::DTPicker dtpScheduleDate{*this, "dtpScheduleDate"};
    forms::Label lblScheduleTime{*this, "lblScheduleTime"};
    forms::DTPicker dtpScheduleTime{*this, "dtpScheduleTime"};
    forms::CheckBox chkAutoDel{*this, "chkAutoDel"};
    forms::CommandButton CmdProceed{*this, "CmdProceed"};
    forms::CommandButton cmdDefaultSetting{*this, "cmdDefaultSetting"};
    // Page 4, automatic update and data submission.
    forms::ControlArray<forms::SkinLabel> SkinLabel6{*this, "SkinLabel6", {0}};
    forms::CheckBox chkAutomaticUpdate{*this, "chkAutomaticUpdate"};
    forms::Label lblLastUpdate{*this, "lblLastUpdate"};
    forms::CommandButton cmdLiveUpdate{*this, "cmdLiveUpdate"};
    forms::CheckBox chkSendData{*this, "chkSendData"};
    forms::Frame fraSubmit{*this, "fraSubmit"};
    forms::Label lblSubmitFile{*this, "lblSubmitFile"};
    forms::TextBox txtFilename{*this, "txtFilename"};
    forms::CommandButton Command2{*this, "Command2"};
    forms::CommandButton cmdSubmit{*this, "cmdSubmit"};
    forms::Label Label26{*this, "Label26"};
    forms::CommonDialog CD1{*this, "CD1"};

    // --- Out of view below the window: the trace lists a removal works from.
    forms::Frame Frame{*this, "Frame"};
    forms::ListView lvwFilesToBeDeleted{*this, "lvwFilesToBeDeleted"};
    forms::ListView lvwFileNotFounds{*this, "lvwFileNotFounds"};
    forms::ListView lvwRegistryToBeDeleted{*this, "lvwRegistryToBeDeleted"};
    forms::ListView lvwCookiesToDelete{*this, "lvwCookiesToDelete"};

    // --- Menus; each menu's items are one array, separators included.
    forms::Menu mnuFile{*this, "mnuFile"};
    forms::ControlArray<forms::Menu> mnuFileItem{*this, "mnuFileItem", {0, 1, 2, 3, 4, 5, 6, 7, 8}};
    forms::Menu mnuSettings{*this, "mnuSettings"};
    forms::ControlArray<forms::Menu> mnuSettingsItem{*this, "mnuSettingsItem", {0, 1, 2, 3}};
    forms::Menu mnuQuar{*this, "mnuQuar"};
    forms::ControlArray<forms::Menu> mnuQuarItem{*this, "mnuQuarItem", {0, 1}};
    forms::Menu mnuLanuages{*this, "mnuLanuages"};
    forms::ControlArray<forms::Menu> mnuLanguageItem{*this, "mnuLanguageItem", {0}};
    forms::Menu mnuHelp{*this, "mnuHelp"};
    forms::ControlArray<forms::Menu> mnuHelpItem{*this, "mnuHelpItem", {0}};
    forms::Menu mnuAbout{*this, "mnuAbout"};
    forms::ControlArray<forms::Menu> mnuAboutItem{*this, "mnuAboutItem", {0}};
    // Never on the menu bar: opens the alert windows for checking their look.
    forms::Menu mnuDebug{*this, "mnuDebug"};
    forms::ControlArray<forms::Menu> mnuDebugItem{*this, "mnuDebugItem", {0, 1, 2}};

    // --- Timers.
    forms::Timer tmrMemoryInspected{*this, "tmrMemoryInspected"};
    forms::Timer tmrCheckHomePage{*this, "tmrCheckHomePage"};
    forms::Timer tmrScheduler{*this, "tmrScheduler"};
    forms::Timer timUpdate{*this, "timUpdate"};
    forms::Timer tmrScroll{*this, "tmrScroll"};
    // Switched on and off with the shields; neither has work of its own.
    forms::Timer tmrCheckSignature{*this, "tmrCheckSignature"};
    forms::Timer tmrTimeOut{*this, "tmrTimeOut"};

    // --- State of the window.
    // The general date-and-time texts taken just before and just after a scan's phases.
    std::string ScanStartedAt;
    std::string ScanFinishedAt;
    // Cookie files examined by the cookie phase of the running scan.
    std::int32_t CookieCount = 0;
    // Seconds counted without a scan towards the automatic update.
    std::int32_t UpdateIdleTicks = 0;
    // Ticks of the home-page shield; every third one also runs the memory shield.
    std::int16_t HomePageTicks = 0;
    // The second the scheduler last started a scan in, so that it starts one scan per match.
    std::optional<platform::DateTime> LastScheduledScanAt;
    // The second the scheduler last compared the clock with the schedule.
    std::optional<platform::DateTime> LastScheduleCheckAt;

    // --- The scan (src/engine/).
    // The sequencer: definitions check, safe list, then the phases in order. False when the
    // definition files were missing, so that no phase ran.
    bool RunScanPhases();
    // Whether the five definition files are present; at the first missing one every definition
    // file is deleted and false returned.
    bool CheckDefinitionFilesPresent();
    void DeleteAllDefinitionFiles();
    void ScanDefinedFiles();
    void ScanDefinedFolders();
    void ScanRegistryDefinitions();
    // Fills the drive list of the scan options.
    void ListDrives();
    // Rewrites the scan report from the result lists and counters.
    void MakeReport();
    void LoadScheduleSettings();
    void SaveScheduleSettings();

    // --- Navigation, options and layout (src/ui/).
    void HideAllPanels();
    void RefreshStatusLabels();
    void LoadSettingsIntoControls();
    void LayoutMainWindow();
    // Starts a scan unless one is running; the scheduler and the tray menu start scans here.
    void lblStart_Click();

    // --- Live update (src/update/).
    // Checks, downloads and applies a definitions update; the number of definition changes.
    std::int32_t CheckForDefinitionUpdates();
    // Whole-file downloads of one definition file into its staged copy.
    void DownloadRegistryDefinitions(std::int32_t version);
    void DownloadFileDefinitions(std::int32_t version);
    void DownloadExeDefinitions(std::int32_t version);
    void DownloadCookieDefinitions(std::int32_t version);

  protected:
    void Form_Load() override;
    void Form_QueryUnload(bool& cancel, forms::UnloadMode mode) override;
    void Form_Unload(bool& cancel) override;
    void Form_Resize() override;
    void Form_TrayMessage(int message) override;
    void Form_MouseMove(int button, int shift, double x, double y) override;

  private:
    // The design values, part by part (frm_main*.cpp).
    void DesignTopAndSideColumn();
    void DesignStatusPanel();
    void DesignScanPanel();
    void DesignResultsPanel();
    void DesignOptionsPanel();
    void DesignScanOptionsPage();
    void DesignProtectionPage();
    void DesignSchedulePage();
    void DesignUpdatePage();
    void DesignWorkLists();
    void DesignMenus();
    void DesignTimers();
    void WireEvents();
    void WireMenus();

    // Scan driver (src/engine/scan_driver.cpp).
    void cmdScanNow_Click();
    void cmdPause_Click();
    void cmdStop_Click();
    // Drive list (src/engine/drive_list.cpp).
    void lvwHardDrives_ItemCheck(forms::ListItem& item);
    // Shields (src/engine/memory_shield.cpp, home_page_shield.cpp).
    void tmrMemoryInspected_Timer();
    void tmrCheckHomePage_Timer();
    // Result selection and exclusion (src/engine/result_selection.cpp).
    void lvwPicRemoveListOfSpywareFoundAndToBeRemoved_ItemCheck(forms::ListItem& item);
    void cmdSelectAll_Click();
    void cmdExclude_Click();
    void cmdRemove_Click();
    void cmdResults_Click();
    void DropCheckedFileRows();
    void DropCheckedCookieRows();
    void DropCheckedRegistryRows();
    void DropCheckedFoundRows();
    void DropCheckedThreatRows();
    // Removal (src/engine/removal.cpp).
    void Command4_Click();
    void lblRemove_Click();
    void RemoveCheckedItems();
    // Scheduler (src/engine/scheduler.cpp).
    void chkAutomaticScanYesOrNo_Click();
    void cmbDays_Click();
    void dtpScheduleDate_Change();
    void dtpScheduleTime_Click();
    void CmdProceed_Click();
    void cmdDefaultSetting_Click();
    void tmrScheduler_Timer();

    // Navigation (src/ui/main_navigation.cpp).
    void cmdScan_Click();
    void cmdSettings_Click();
    void cmdStatus_Click();
    void Command1_Click();
    void TabStrip1_Click();
    void mnuLanguageItem_Click(int index);
    void lblOptions_Click();
    void lblResult_Click();
    void lblPause_Click();
    void lblStop_Click();
    void lblViewLogFile_Click();
    void lblHide_Click();
    void lblStart_MouseMove(int button, int shift, double x, double y);
    void lblHide_MouseMove(int button, int shift, double x, double y);
    void lblPause_MouseMove(int button, int shift, double x, double y);
    void lblStop_MouseMove(int button, int shift, double x, double y);
    void frmScan_MouseMove(int button, int shift, double x, double y);
    // Tray (src/ui/main_tray.cpp).
    void Command5_Click();
    // Options (src/ui/main_options.cpp).
    void chkAutoDel_Click();
    void chkAutomaticUpdate_Click();
    void chkAutoProtect_Click();
    void chkHomePage_Click();
    void chkMakeLog_Click();
    void chkRunAtStartup_Click();
    void chkScanCookies_Click();
    void chkScanRegistry_Click();
    void chkSweepMemory_Click();
    void chkSendData_MouseUp(int button, int shift, double x, double y);
    // Space ticks and unticks the box as a click does, and is saved and asked about the same way.
    void chkSendData_KeyUp(int keyCode, int shift);
    void SaveSendDataChoice();
    void optAlwaysnotifybeforerestoring_Click();
    void optRestoredefaultwithoutnotification_Click();
    void optIEHomePageSheildOn_Click();
    void optIEHomePageSheildOff_Click();
    void optMemorySheildOn_Click();
    void optMemorySheildOff_Click();
    void optScanAllSelectedHardDrive_Click();
    void optScanOnlyKnownSoftwares_Click();
    // Menus, report and website buttons (src/ui/main_menus.cpp).
    void mnuFileItem_Click(int index);
    void mnuSettingsItem_Click(int index);
    void mnuQuarItem_Click(int index);
    void mnuHelpItem_Click(int index);
    void mnuAboutItem_Click(int index);
    void mnuDebugItem_Click(int index);
    void cmdLog_Click();
    void cmdWebsite_Click();
    void tmrScroll_Timer();
    // The banner browser (src/ui/main_banner.cpp).
    void wbBanner_NewWindow2(bool& cancel);
    void wbBanner_StatusTextChange(const std::string& text);
    void wbBanner_BeforeNavigate2(const std::string& url, bool& cancel);
    void wbBanner_DocumentComplete(const std::string& url);
    void wbBanner_DownloadComplete();

    // Live update (src/update/update_check.cpp).
    // Runs an update unless one runs already: every way into the update comes through here.
    void cmdUpdate_Click();
    void cmdLiveUpdate_Click();
    void cmdUpdate_MouseDown(int button, int shift, double x, double y);
    void timUpdate_Timer();
    // Submission (src/update/submission.cpp).
    void cmdSubmit_Click();
    void Command2_Click();
    void txtFilename_KeyPress(int& keyAscii);

    bool updateRunning_ = false;
};

// The main window, loaded (and its start-up run) by the first reference.
FrmMainForm& FrmMain();
