// The main window's design: the options panel, its tab strip and the four option pages.
//
// Check boxes start unticked and option buttons unset, so that the settings loader's first run
// changes each control whose stored default differs and its click handler stores that default.
#include <initializer_list>

#include "ui/design.h"
#include "ui/frm_main.h"
#include "ui/frm_main_design.h"

using design::Place;
using namespace main_design;

namespace {

// Rows of check boxes or option buttons, one below the other.
void PlaceChoices(std::initializer_list<std::pair<forms::CaptionedControl*, const char*>> choices,
                  forms::Control* container, double top, double width) {
    for (auto [choice, caption] : choices) {
        Place(*choice, container, caption, kInset, top, width, kLineHeight);
        top += 360;
    }
}

}  // namespace

void FrmMainForm::DesignOptionsPanel() {
    // No caption: the tab strip covers the whole panel.
    Place(frmOptions, nullptr, "", kPanelLeft, kPanelTop, kPanelWidth, kPanelHeight);
    frmOptions.SetVisible(false);
    // The tab strip fills the panel; the pages lie over its inner area.
    Place(TabStrip1, &frmOptions, 0, 0, kPanelWidth, kPanelHeight);
    for (const char* caption :
         {"Scan Options", "Proactive Protection", "Schedule", "Auto Update"}) {
        TabStrip1.Tabs.Add(caption);
    }
    for (forms::Frame* page : frmView.Elements()) {
        Place(*page, &frmOptions, "", 60, 360, kPageWidth, kPageHeight);
        page->SetVisible(page->Index() == 0);
    }
    DesignScanOptionsPage();
    DesignProtectionPage();
    DesignSchedulePage();
    DesignUpdatePage();
}

void FrmMainForm::DesignScanOptionsPage() {
    forms::Frame& page = frmView(0);
    Place(fraScanItems, &page, "What to Scan", kInset, 240, 3960, 1440);
    PlaceChoices({{&chkSweepMemory, "Scan Proccesses and Files"},
                  {&chkScanRegistry, "Scan Windows Registry"},
                  {&chkScanCookies, "Scan Internet Cookies"}},
                 &fraScanItems, 300, 3480);
    Place(chkMakeLog, &page, "Save scan results to log", kInset, 1920, 3960, kLineHeight);

    // The drive list belongs to the complete scan; the quick scan hides it.
    Place(fraScanMode, &page, "Scan Mode", 4440, 240, 3780, 3000);
    PlaceChoices({{&optScanAllSelectedHardDrive, "Complete System Scan"},
                  {&optScanOnlyKnownSoftwares, "Quick Scan"}},
                 &fraScanMode, 300, 3300);
    Place(lvwHardDrives, &fraScanMode, kInset, 1020, 3300, 1740);
    design::AddColumns(lvwHardDrives, {{"", 3000}});
    lvwHardDrives.SetHideColumnHeaders(true);
    lvwHardDrives.SetCheckboxes(true);
}

void FrmMainForm::DesignProtectionPage() {
    forms::Frame& page = frmView(1);
    // A check box and an option-button pair show each shield's one setting.
    Place(fraMemoryShield, &page, "Memory Shield", kInset, 240, 3900, 1440);
    PlaceChoices({{&chkAutoProtect, "Enable"},
                  {&optMemorySheildOn, "Enabled"},
                  {&optMemorySheildOff, "Disabled"}},
                 &fraMemoryShield, 300, 3420);
    Place(fraHomePageShield, &page, "Home Page Shield", 4320, 240, 3900, 1440);
    PlaceChoices({{&chkHomePage, "Enable"},
                  {&optIEHomePageSheildOn, "Enabled"},
                  {&optIEHomePageSheildOff, "Disabled"}},
                 &fraHomePageShield, 300, 3420);
    Place(fraHomePageAction, &page, "When the Home Page Is Changed", kInset, 1920, 7980, 1080);
    PlaceChoices(
        {{&optAlwaysnotifybeforerestoring, "Ask me what I would like to do"},
         {&optRestoredefaultwithoutnotification, "Silently restore my original home page"}},
        &fraHomePageAction, 300, 7500);
    Place(chkRunAtStartup, &page, "Run at Startup and protect my computer automatically", kInset,
          3240, 7980, kLineHeight);
}

void FrmMainForm::DesignSchedulePage() {
    forms::Frame& page = frmView(2);
    design::PlaceSkinLabelPattern(SkinLabel5, &page);
    Place(chkAutomaticScanYesOrNo, &page, "Enable Scheduled Scans", kInset, 240, 7980, kLineHeight);

    const double fieldLeft = 1575;
    const double fieldWidth = 2415;
    Place(lblScheduleDay, &page, "Scan on:", kInset, 780, 1215, kLineHeight);
    Place(cmbDays, &page, fieldLeft, 720, fieldWidth, kFieldHeight);
    cmbDays.SetStyle(forms::ComboStyle::DropDownList);
    for (const char* day : {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday",
                            "Sunday", "Daily", "Date & Time", "Never"}) {
        cmbDays.AddItem(day);
    }
    Place(lblScheduleDate, &page, "Date:", kInset, 1260, 1215, kLineHeight);
    Place(dtpScheduleDate, &page, fieldLeft, 1200, fieldWidth, kFieldHeight);
    dtpScheduleDate.SetFormat(forms::DateFormat::Custom);
    dtpScheduleDate.SetCustomFormat("dd/MM/yyyy");
    Place(lblScheduleTime, &page, "Time:", kInset, 1740, 1215, kLineHeight);
    Place(dtpScheduleTime, &page, fieldLeft, 1680, fieldWidth, kFieldHeight);
    dtpScheduleTime.SetFormat(forms::DateFormat::Custom);
    dtpScheduleTime.SetCustomFormat("hh:mm:ss");

    Place(chkAutoDel, &page, "Delete spyware automatically after scheduled scan", kInset, 2280,
          7980, kLineHeight);
    // Apply comes on with the first change.
    Place(CmdProceed, &page, "Apply", kInset, 2760, 1335, kButtonHeight);
    CmdProceed.SetEnabled(false);
    Place(cmdDefaultSetting, &page, "Reset", 1695, 2760, 1335, kButtonHeight);
}

void FrmMainForm::DesignUpdatePage() {
    forms::Frame& page = frmView(3);
    design::PlaceSkinLabelPattern(SkinLabel6, &page);
    Place(chkAutomaticUpdate, &page, "Enable automatic Live update (recommended)", kInset, 240,
          7980, kLineHeight);
    Place(lblLastUpdate, &page, "Signatures Last Updated On", kInset, 600, 7980, kLineHeight);
    Place(cmdLiveUpdate, &page, "Run Live Update Now", kInset, 960, 2415, kButtonHeight);
    Place(chkSendData, &page, "Send anonymous data to help identify unknown spyware", kInset, 1620,
          7980, kLineHeight);

    Place(fraSubmit, &page, "Submit a File for Review", kInset, 2040, 7980, 1680);
    Place(lblSubmitFile, &fraSubmit, "File name:", kInset, 420, 1095, kLineHeight);
    Place(txtFilename, &fraSubmit, 1455, 360, 3855, kFieldHeight);
    Place(Command2, &fraSubmit, "Browse", 5430, 345, 1095, 345);
    Place(cmdSubmit, &fraSubmit, "Submit", 6645, 345, 1095, 345);
    Place(Label26, &fraSubmit, "Results:", kInset, 900, 7500, 615);
    Label26.SetWordWrap(true);
}
