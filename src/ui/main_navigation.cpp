// The main window's panels, side menu, scan labels and status labels.
#include "ui/main_navigation.h"

#include <initializer_list>
#include <string>
#include <string_view>

#include "engine/globals.h"
#include "forms/host.h"
#include "forms/message_box.h"
#include "foundation/definition_files.h"
#include "foundation/globals.h"
#include "foundation/program_error.h"
#include "foundation/settings_store.h"
#include "localization/globals.h"
#include "platform/us_date.h"
#include "platform/version_block.h"
#include "ui/frm_language.h"
#include "ui/frm_main.h"
#include "ui/frm_report.h"
#include "ui/version_text.h"

namespace {

// The panels of each flag of ShowMainPanels: a side-menu panel of that name where a window has
// one, and the main window's frame that shows the same.
struct PanelNames {
    std::string_view sidePanel;
    std::string_view frame;
};
constexpr PanelNames kStartPanel{"PicStartUp", "frmStatus"};
constexpr PanelNames kOptionsPanel{"PicOptions", "frmOptions"};
constexpr PanelNames kResultsPanel{"PicResults", "frmResults"};
constexpr PanelNames kSweepPanel{"PicSweepNow", "frmScan"};

void SetPanelVisible(forms::Form& window, const PanelNames& panel, bool visible) {
    for (std::string_view name : {panel.sidePanel, panel.frame}) {
        if (forms::Control* control = window.FindControl(name)) {
            control->SetVisible(visible);
        }
    }
}

std::string MessageText(std::string_view key) {
    return gLanguages ? gLanguages->getMessages(key) : std::string();
}

std::string StatusSetting(std::string_view key, std::string_view defaultValue) {
    return GetSetting(gProgramName, "Settings", key, defaultValue);
}

// A date.dat that holds no line or cannot be read must not stop the start-up, which shows these
// labels before anything else: it shows the date a missing file has.
std::string InstalledDefinitionsDate() {
    try {
        return LoadDefinitionsDate();
    } catch (const ProgramError&) {
        return std::string(kDefaultDefinitionsDate);
    }
}

void ShowPanelAlone(FrmMainForm& window, forms::Frame& panel) {
    window.HideAllPanels();
    panel.SetVisible(true);
}

void SetEnabled(std::initializer_list<forms::Label*> labels, bool enabled) {
    for (forms::Label* label : labels) {
        label->SetEnabled(enabled);
    }
}

}  // namespace

void ShowMainPanels(forms::Form& window, bool showStart, bool showOptions, bool showResults,
                    bool showSweep) {
    SetPanelVisible(window, kStartPanel, showStart);
    SetPanelVisible(window, kOptionsPanel, showOptions);
    SetPanelVisible(window, kResultsPanel, showResults);
    SetPanelVisible(window, kSweepPanel, showSweep);
    if (auto* scroll = dynamic_cast<forms::Timer*>(window.FindControl("tmrScroll"))) {
        scroll->SetEnabled(false);
    }
}

void FrmMainForm::HideAllPanels() {
    for (forms::Control* control : std::initializer_list<forms::Control*>{
             &frmOptions, &frmScan, &frmResults, &frmStatus, &pgbDeleteSpywaresFound,
             &lblDeletingPercentageCompleted, &lblDeletingCaption}) {
        control->SetVisible(false);
    }
}

void FrmMainForm::RefreshStatusLabels() {
    lblDefCount.SetCaption(platform::FormatGroupedNumber(gDefinitionsTotal));
    lblVersion.SetCaption(VersionText(platform::ProgramVersionBlock()));
    lblDefVersion.SetCaption(InstalledDefinitionsDate() + " PST");
    lblDefRemoved.SetCaption(StatusSetting("lblDefRemoved", "0"));
    lblLastScan.SetCaption(StatusSetting("lblLastScan", "Never"));
    lblLastFullScan.SetCaption(StatusSetting("lblLastFullScan", "Never"));
}

void FrmMainForm::cmdScan_Click() {
    ShowPanelAlone(*this, frmScan);
}

void FrmMainForm::cmdSettings_Click() {
    ShowPanelAlone(*this, frmOptions);
}

void FrmMainForm::cmdStatus_Click() {
    ShowPanelAlone(*this, frmStatus);
}

void FrmMainForm::Command1_Click() {
    cmdScan_Click();
}

void FrmMainForm::TabStrip1_Click() {
    for (forms::Frame* page : frmView.Elements()) {
        page->SetVisible(page->Index() == TabStrip1.SelectedIndex() - 1);
    }
}

// The Languages menu holds one item.
void FrmMainForm::mnuLanguageItem_Click(int index) {
    if (index == 0) {
        frmLanguage().Show(forms::ShowMode::Modeless);
    }
}

void FrmMainForm::lblOptions_Click() {
    ShowMainPanels(*this, false, true, false, false);
    SetEnabled({&lblSweepNow, &lblRemove, &lblResult, &lblExit}, true);
    lblOptions.SetEnabled(false);
}

void FrmMainForm::lblResult_Click() {
    ShowMainPanels(*this, false, false, true, false);
    lblDeletingPercentageCompleted.SetVisible(false);
    pgbDeleteSpywaresFound.SetVisible(false);
    lblDeletingCaption.SetVisible(false);
    SetEnabled({&lblSweepNow, &lblRemove, &lblOptions, &lblExit}, true);
    lblResult.SetEnabled(false);
}

void FrmMainForm::lblStart_Click() {
    // A disabled start button means a scan is running.
    if (cmdScanNow.Enabled()) {
        cmdScan_Click();
        cmdScanNow_Click();
    }
}

void FrmMainForm::lblPause_Click() {
    // The box holds a running scan: the scan yields to the loop between items, so this click runs
    // inside it, and the scan goes on when the box is closed.
    lblPause.SetEnabled(false);
    forms::MsgBox(MessageText("MSG_PAUSED"), forms::MsgBoxOkOnly | forms::MsgBoxInformation,
                  gProgramName);
    lblPause.SetEnabled(true);
}

void FrmMainForm::lblStop_Click() {
    if (forms::MsgBox(MessageText("MSG_SURE"), forms::MsgBoxYesNo | forms::MsgBoxQuestion,
                      gProgramName) == forms::MsgBoxResult::Yes) {
        forms::CurrentHost().SetMousePointer(forms::MousePointer::Default);
        gStopScan = true;
    }
}

void FrmMainForm::lblViewLogFile_Click() {
    lblViewLogFile.SetEnabled(false);
    frmReport().Show(forms::ShowMode::Modal);
    lblViewLogFile.SetEnabled(true);
}

void FrmMainForm::lblHide_Click() {
    // The unload handling itself, without the query step: the side menu's close leaves the
    // running state and the tray icon as they are.
    bool cancel = true;
    Form_Unload(cancel);
}

void FrmMainForm::lblStart_MouseMove(int, int, double, double) {
    lblStart.SetFontItalic(true);
}

void FrmMainForm::lblHide_MouseMove(int, int, double, double) {
    lblHide.SetFontItalic(true);
}

void FrmMainForm::lblPause_MouseMove(int, int, double, double) {
    lblPause.SetFontItalic(true);
    forms::CurrentHost().SetMousePointer(forms::MousePointer::Default);
}

void FrmMainForm::lblStop_MouseMove(int, int, double, double) {
    lblStop.SetFontItalic(true);
    forms::CurrentHost().SetMousePointer(forms::MousePointer::Default);
}

void FrmMainForm::frmScan_MouseMove(int, int, double, double) {
    // Leaving the scan labels for the panel around them ends their emphasis; outside the pause and
    // stop labels a running scan shows the hourglass.
    for (forms::Label* label : {&lblStart, &lblPause, &lblStop}) {
        label->SetFontItalic(false);
    }
    forms::CurrentHost().SetMousePointer(cmdScan.Enabled() ? forms::MousePointer::Default
                                                           : forms::MousePointer::Hourglass);
}

void FrmMainForm::Form_MouseMove(int, int, double, double) {
    lblHide.SetFontItalic(false);
}
