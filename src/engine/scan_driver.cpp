// The scan driver and sequencer: the start, pause and stop commands and the order of the phases.
#include <string>
#include <string_view>
#include <utility>

#include "engine/cookie_scan.h"
#include "engine/globals.h"
#include "engine/memory_scan.h"
#include "engine/memory_shield.h"
#include "engine/option_settings.h"
#include "engine/scan_progress.h"
#include "forms/host.h"
#include "forms/message_box.h"
#include "foundation/definition_files.h"
#include "foundation/file_queries.h"
#include "foundation/globals.h"
#include "foundation/program_folder.h"
#include "foundation/safe_list.h"
#include "foundation/settings_store.h"
#include "localization/globals.h"
#include "platform/freed_memory.h"
#include "platform/machine.h"
#include "platform/us_date.h"
#include "ui/frm_delete.h"
#include "ui/frm_main.h"
#include "ui/main_navigation.h"

namespace {

// Tested in this order; at the first one missing all of them go, with the date.
constexpr std::string_view kRequiredDefinitionFiles[] = {
    kFileDefinitionFile, kRegistryDefinitionFile,  kExeDefinitionFile,
    kBlockedCookiesFile, kDirectoryDefinitionFile,
};
constexpr std::string_view kPurgedDefinitionFiles[] = {
    kDirectoryDefinitionFile, kBlockedCookiesFile, kExeDefinitionFile,
    kRegistryDefinitionFile,  kFileDefinitionFile, kDefinitionsDateFile,
};

// Where the phase marker starts, and how far each later phase moves it.
constexpr double kCircleLeft = 1215;
constexpr double kCircleTop = 645;
constexpr double kCircleStepLeft = 250;
constexpr double kCircleStepDown = 11;

std::string Message(std::string_view key) {
    return gLanguages ? gLanguages->getMessages(key) : std::string();
}

std::string NowText() {
    return platform::FormatGeneralDate(forms::CurrentHost().Now());
}

void SaveStatusSetting(std::string_view key, const std::string& value) {
    SaveSetting(gProgramName, "Settings", key, value);
}

// Shows the phase's caption and makes it the prefix of the status line; under a redraw lock.
void ShowPhaseCaption(FrmMainForm& window, std::string_view captionKey) {
    const std::string caption = Message(captionKey);
    window.lblPercentageCompleted.SetCaption(caption);
    gScanStatusSuffix = caption + ": ";
}

void BeginPhase(FrmMainForm& window, std::string_view captionKey) {
    ScopedRedrawLock lock(window);
    ShowPhaseCaption(window, captionKey);
}

void MoveCircleToNextPhase(FrmMainForm& window) {
    window.shpCircle.Move(window.shpCircle.Left() - kCircleStepLeft,
                          window.shpCircle.Top() + kCircleStepDown);
}

// The bars' share of the cookie definitions, or nothing before the definitions were counted.
void ShowCookieShare(FrmMainForm& window) {
    if (const auto share = ProgressPercent(gCookieDefCount, gDefinitionsTotal)) {
        window.pb2.SetValue(*share);
    }
}

// The phases, in their order. The sequencer does not test the stop flag between them: after a
// stop each phase still starts and ends at its own first test.

void RunCookiePhase(FrmMainForm& window) {
    if (OptionCheckState("chkScanCookies", 1) != 1) {
        return;
    }
    window.shpCircle.SetVisible(false);
    BeginPhase(window, "MSG_COOKIES");
    ScanCookies(window, window.CookieCount);
    ScopedRedrawLock lock(window);
    window.pb1.SetValue(100);
    ShowCookieShare(window);
    window.lblStatus(0).SetCaption(Message("MSG_COOKIES_FINISHED"));
}

void RunMemoryPhase(FrmMainForm& window) {
    if (OptionCheckState("chkSweepMemory", 1) == 1) {
        BeginPhase(window, "MSG_MEMORY");
        ScanMemoryByPlatform();
    } else {
        window.lblMemoryInspected.SetCaption(Message("MSG_NOTSELECED"));
    }
}

void RunRegistryPhase(FrmMainForm& window) {
    {
        ScopedRedrawLock lock(window);
        ShowPhaseCaption(window, "MSG_REGISTRY");
        window.pb1.SetValue(0);
        ShowCookieShare(window);
    }
    if (OptionCheckState("chkScanRegistry", 1) == 1) {
        MoveCircleToNextPhase(window);
        window.ScanRegistryDefinitions();
    } else {
        window.lblRegistryInspected.SetCaption(Message("MSG_NOTSELECED"));
    }
}

// The named files and folders, whatever the options say.
void RunKnownSpywarePhase(FrmMainForm& window) {
    {
        ScopedRedrawLock lock(window);
        ShowPhaseCaption(window, "MSG_SPYWARE");
        window.pbgMain.SetValue(0);
    }
    MoveCircleToNextPhase(window);
    window.ScanDefinedFiles();
    window.ScanDefinedFolders();
}

// The scan's own counts, once it has ended: the repaint on every hundredth item may have left the
// labels behind, and the results panel and the report must not show fewer threats or items than
// the scan met. A phase that was not selected keeps saying so.
void ShowClosingCounts(FrmMainForm& window) {
    ScopedRedrawLock lock(window);
    const std::string notSelected = Message("MSG_NOTSELECED");
    for (auto [label, count] : {std::pair{&window.lblMemoryInspected, gMemoryInspected},
                                std::pair{&window.lblRegistryInspected, gRegistryInspected},
                                std::pair{&window.lblFilesFolderInspected, gFilesFolderInspected},
                                std::pair{&window.lblSoftwareFound, gSoftwareFound},
                                std::pair{&window.lblRemovePicSoftwareFound, gSoftwareFound}}) {
        if (label->Caption() != notSelected) {
            label->SetCaption(std::to_string(count));
        }
    }
}

// The buttons and timers of a window that is scanning (true) or idle again (false).
void SetScanning(FrmMainForm& window, bool scanning) {
    window.cmdScanNow.SetEnabled(!scanning);
    window.cmdScan.SetEnabled(!scanning);
    window.cmdStop.SetEnabled(scanning);
    window.cmdPause.SetEnabled(scanning);
    window.cmdLog.SetEnabled(!scanning);
    window.cmdUpdate.SetEnabled(!scanning);
    window.cmdStatus.SetEnabled(!scanning);
}

void PrepareWindow(FrmMainForm& window) {
    window.tmrScroll.SetEnabled(false);
    frmDelete().Hide();
    frmDelete().lstProblem.ListItems.Clear();
    window.shpCircle.Move(kCircleLeft, kCircleTop);
    window.shpCircle.SetVisible(false);
    window.cmdRemove.SetVisible(false);
    window.cmdResults.SetEnabled(false);
    window.cmdSettings.SetEnabled(false);
    ShowMainPanels(window, false, false, false, true);
    EnableShieldTimers(window, false);
    SetScanning(window, true);
}

void ClearResults(FrmMainForm& window) {
    ScopedRedrawLock lock(window);
    for (forms::Label* label :
         {&window.lblRegistryInspected, &window.lblFilesFolderInspected, &window.lblMemoryInspected,
          &window.lblSoftwareFound, &window.lblRemovePicSoftwareFound, &window.lbltracesFound,
          &window.lblPercentageCompleted, &window.lblStatus(0), &window.lblTotalNoOfRunningItems}) {
        label->SetCaption("0");
    }
    gMemoryInspected = 0;
    gRegistryInspected = 0;
    gFilesFolderInspected = 0;
    gSoftwareFound = 0;
    gProgressTick = 0;
    for (forms::ListView* list :
         {&window.lvwSpywareFound, &window.lvwPicRemoveListOfSpywareFoundAndToBeRemoved,
          &window.lvwFilesToBeDeleted, &window.lvwFileNotFounds, &window.lvwRegistryToBeDeleted,
          &window.lvwCookiesToDelete}) {
        list->ListItems.Clear();
    }
}

void SaveLastScanDates(FrmMainForm& window) {
    SaveStatusSetting("lblLastScan", window.ScanFinishedAt);
    if (window.optScanAllSelectedHardDrive.Value()) {
        SaveStatusSetting("lblLastFullScan", window.ScanFinishedAt);
    }
}

void ShowOutcome(FrmMainForm& window, bool scanned) {
    ScopedRedrawLock lock(window);
    if (!scanned) {
        window.lblStatus(0).SetCaption(Message("MSG_MISSINGFILES"));
    } else if (gStopScan) {
        window.lblStatus(0).SetCaption(Message("MSG_SCAN_CANCELLED"));
        window.lblPercentageCompleted.SetCaption("0% " + Message("MSG_COMPLETED"));
        window.pbgMain.SetValue(0);
    } else {
        window.lblStatus(0).SetCaption(Message("MSG_SCAN_COMPLETED"));
        window.pb1.SetValue(100);
        window.pb2.SetValue(100);
    }
}

}  // namespace

void FrmMainForm::cmdScanNow_Click() {
    PrepareWindow(*this);
    ClearResults(*this);
    gStopScan = false;
    ScanStartedAt = NowText();

    // Without definitions nothing was scanned: no date, report or removal claims otherwise.
    const bool scanned = RunScanPhases();

    ScanFinishedAt = NowText();
    if (scanned) {
        SaveLastScanDates(*this);
        if (chkMakeLog.Value() == forms::kChecked) {
            MakeReport();
        }
    }
    cmdRemove.SetVisible(true);
    cmdRemove.SetEnabled(true);
    cmdResults.SetEnabled(true);
    cmdSettings.SetEnabled(true);
    shpCircle.SetVisible(false);
    ShowOutcome(*this, scanned);
    if (scanned && !gStopScan && gAutoRemoveAfterScan) {
        cmdRemove_Click();
        cmdSelectAll_Click();
        Command4_Click();
    }
    SetScanning(*this, false);
    EnableShieldTimers(*this, true);
    tmrTimeOut.SetEnabled(true);
    RefreshStatusLabels();
    if (!scanned) {
        lblDefVersion.SetCaption(Message("MSG_MISSINGFILES"));
    }
}

bool FrmMainForm::RunScanPhases() {
    if (!CheckDefinitionFilesPresent()) {
        forms::MsgBox(Message("MSG_MISSING"), forms::MsgBoxOkOnly | forms::MsgBoxInformation,
                      gProgramName);
        return false;
    }
    LoadSafetyList([] { return gStopScan; });

    pbgMain.SetVisible(false);
    for (forms::ProgressBar* bar : {&pbgMain, &pb1, &pb2}) {
        bar->SetMax(100);
        bar->SetValue(0);
    }
    CookieCount = 0;

    RunCookiePhase(*this);
    RunMemoryPhase(*this);
    RunRegistryPhase(*this);
    RunKnownSpywarePhase(*this);
    platform::ReturnFreedMemory();  // the phases' definition lines are gone

    RefreshScanProgress(*this, "Scan Complete", 100, 100);
    ShowClosingCounts(*this);
    return true;
}

bool FrmMainForm::CheckDefinitionFilesPresent() {
    for (const std::string_view fileName : kRequiredDefinitionFiles) {
        if (!FileExists(ProgramFolderFile(fileName))) {
            lblDefVersion.SetCaption(Message("MSG_MISSINGFILES"));
            DeleteAllDefinitionFiles();
            return false;
        }
    }
    return true;
}

void FrmMainForm::DeleteAllDefinitionFiles() {
    for (const std::string_view fileName : kPurgedDefinitionFiles) {
        platform::CurrentMachine().files().Delete(ProgramFolderFile(fileName));
    }
}

void FrmMainForm::cmdPause_Click() {
    // The box holds a running scan: this click runs inside one of the scan's yields, which returns
    // only when the box is closed.
    cmdPause.SetEnabled(false);
    cmdStop.SetEnabled(false);
    forms::MsgBox(Message("MSG_PAUSED"), forms::MsgBoxOkOnly | forms::MsgBoxInformation,
                  gProgramName);
    cmdPause.SetEnabled(true);
    cmdStop.SetEnabled(true);
}

void FrmMainForm::cmdStop_Click() {
    if (forms::MsgBox(Message("MSG_STOP"), forms::MsgBoxYesNo | forms::MsgBoxQuestion,
                      gProgramName) == forms::MsgBoxResult::Yes) {
        forms::CurrentHost().SetMousePointer(forms::MousePointer::Default);
        gStopScan = true;
    }
}
