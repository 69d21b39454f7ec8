// The main window's menus, the View Log and website buttons and the scroll timer.
#include <exception>
#include <string>
#include <string_view>

#include "forms/host.h"
#include "forms/message_box.h"
#include "foundation/file_queries.h"
#include "foundation/program_folder.h"
#include "localization/globals.h"
#include "platform/machine.h"
#include "ui/form8.h"
#include "ui/frm_about.h"
#include "ui/frm_home_page_changed_alert.h"
#include "ui/frm_main.h"
#include "ui/frm_report.h"
#include "ui/frm_signature_updated.h"
#include "ui/frm_spyware_found_alert.h"
#include "ui/frm_website.h"

namespace {

// The File menu's items; the numbers between them are separators and a hidden item.
enum FileItem { kScanNow = 0, kViewLog = 2, kRunLiveUpdate = 4, kMinimizeToTray = 6, kExit = 8 };
enum QuarantineItem { kViewQuarantine = 0, kViewExclusions = 1 };
enum DebugItem { kShowHomepageChanged = 0, kShowSignatureUpdated = 1, kShowSpywareFound = 2 };
// The Help and About menus hold one item each.
constexpr int kOnlyItem = 0;
constexpr int kOptionPageCount = 4;

std::string Message(std::string_view key) {
    return gLanguages ? gLanguages->getMessages(key) : std::string();
}

// The quarantine folder in the desktop's file manager; made first, so that it opens before
// anything was ever quarantined. A viewer that cannot be started shows nothing.
void ViewQuarantine() {
    const std::string folder = ProgramFolderFile("quarantine");
    if (!platform::CurrentMachine().folders().Exists(folder)) {
        platform::CurrentMachine().folders().Create(folder);
    }
    forms::CurrentHost().OpenDocument(folder);
}

// The exclusion list in the desktop's editor for text files. Changes count from the next load of
// the list.
void ViewExclusions() {
    const std::string file = ProgramFolderFile("ENoSignature.txt");
    if (FileExists(file)) {
        forms::CurrentHost().OpenDocument(file);
    } else {
        forms::MsgBox(Message("MSG_EXCLUDE1"), forms::MsgBoxOkOnly, Message("MSG_EXCLUDE2"));
    }
}

}  // namespace

void FrmMainForm::mnuFileItem_Click(int index) {
    switch (index) {
        case kScanNow:
            cmdScan_Click();
            break;
        case kViewLog:
            cmdLog_Click();
            break;
        case kRunLiveUpdate:
            cmdUpdate_Click();
            break;
        case kMinimizeToTray:
            Command5_Click();
            break;
        case kExit:
            Unload();
            break;
        default:
            break;
    }
}

void FrmMainForm::mnuSettingsItem_Click(int index) {
    if (index < 0 || index >= kOptionPageCount) {
        return;
    }
    cmdSettings_Click();
    TabStrip1.Select(index + 1);
}

void FrmMainForm::mnuQuarItem_Click(int index) {
    switch (index) {
        case kViewQuarantine:
            ViewQuarantine();
            break;
        case kViewExclusions:
            ViewExclusions();
            break;
        default:
            break;
    }
}

void FrmMainForm::mnuHelpItem_Click(int index) {
    if (index == kOnlyItem) {
        OpenHelpWindow();
    }
}

void FrmMainForm::mnuAboutItem_Click(int index) {
    if (index == kOnlyItem) {
        frmAbout().Show();
    }
}

void FrmMainForm::mnuDebugItem_Click(int index) {
    switch (index) {
        case kShowHomepageChanged:
            frmHomePageChangedAlert().SetVisible(true);
            break;
        case kShowSignatureUpdated:
            frmSignatureUpdated().SetVisible(true);
            break;
        case kShowSpywareFound:
            frmSpywareFoundAlert().SetVisible(true);
            break;
        default:
            break;
    }
}

// "Show Report" stays greyed while the report is open, and comes back however the report ends.
void FrmMainForm::cmdLog_Click() {
    lblViewLogFile.SetEnabled(false);
    try {
        frmReport().Show(forms::ShowMode::Modal);
    } catch (const std::exception&) {
    }
    lblViewLogFile.SetEnabled(true);
}

void FrmMainForm::cmdWebsite_Click() {
    frmWebsite().Show();
}

void FrmMainForm::tmrScroll_Timer() {
    forms::DoEvents();
}
